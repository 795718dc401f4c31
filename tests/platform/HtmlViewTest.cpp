// HtmlView on a real offscreen view: document operations, navigation reports, loading,
// stale handles, renderer crash recovery, printing.
#include "HtmlView.h"
#include "TempDir.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLayout>
#include <QMouseEvent>
#include <QPrinter>
#include <QProcess>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>

namespace {

// Runs the event loop until `condition` holds; false when `ms` ran out first.
bool waitFor(const std::function<bool()>& condition, int ms = 15000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms)
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Catches whatever the engine would hand to the desktop for the command schemes.
class DesktopCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class HtmlViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (view)
            return;
        view = new HtmlView;
        view->resize(800, 600);
        view->show();
        desktop = new DesktopCatcher;
        for (const char* scheme :
             {"goback", "selectchanged", "addtolist", "addtocompare", "del", "search"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), desktop, "open");
        }
    }

    static void TearDownTestSuite() {
        for (const char* scheme :
             {"goback", "selectchanged", "addtolist", "addtocompare", "del", "search"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
        delete view;
        view = nullptr;
        delete desktop;
        desktop = nullptr;
    }

    void SetUp() override {
        seen.clear();
        cancelAll = true;
        view->setNavigationHandler([this](const QString& address, bool& cancel) {
            seen.append(address);
            if (cancelAll)
                cancel = true;
        });
        view->setPrintDialog({});
    }

    void TearDown() override {
        // Reports of one test must not reach the next.
        waitFor([] { return false; }, 30);
        view->setNavigationHandler({});
        EXPECT_TRUE(desktop->opened.isEmpty()) << "an address went to the desktop";
        desktop->opened.clear();
    }

    static void load(const QString& html) {
        view->loadHtml(html);
        view->waitUntilLoaded();
    }

    // Runs `script` in the page and waits for `count` navigation reports.
    bool trigger(const QString& script, qsizetype count = 1) {
        view->evaluate(script);
        return waitFor([&] { return seen.size() >= count; });
    }

    static inline HtmlView* view = nullptr;
    static inline DesktopCatcher* desktop = nullptr;
    QStringList seen;
    bool cancelAll = true;
};

const QString kPage = QStringLiteral(
    "<html><head><title>t</title></head><body>\n"
    "<div id=\"head\">参数 <b>表</b></div>\n"
    "<form><table id=\"mytable\" name=\"mytable\" border=\"0\">\n"
    "<tr><td>型号</td><td><select name=\"value1\" size=\"1\" id=\"value1\" "
    "onchange=\"javascript:window.location='selectchanged://1'\">"
    "<option value=\"所有\">所有</option><option value=\"A 1\">A 1</option></select></td></tr>\n"
    "<tr><td>价格</td><td id=\"p\">100</td></tr>\n"
    "</table></form>\n"
    "<span name=\"dup\">first</span><span id=\"dup\">second</span>\n"
    "<div align=\"center\"><input id=\"add\" "
    "onclick=\"javascript:window.location='AddToList://';\" "
    "type=\"button\" value=\"添加到配置单\" /></div>\n"
    "</body></html>");

TEST(HtmlViewAddress, CanonicalForms) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"goback://", "goback:///"},
        {"selectchanged://1", "selectchanged://1/"},
        {"selectchanged://1/", "selectchanged://1/"},
        {"AddToList://", "AddToList:///"},
        {"DEL://显卡 X", "DEL://显卡 X/"},
        {"DEL://显卡 X/y", "DEL://显卡 X/y"},
        {"DEL://C#?x", "DEL://C#?x/"},
        {"about:blank", "about:blank"},
        {"http://example.com", "http://example.com/"},
        {"http://example.com?q=1", "http://example.com/?q=1"},
        {"http://example.com/a", "http://example.com/a"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HtmlView::canonicalAddress(QString::fromUtf8(c.in)), QString::fromUtf8(c.out))
            << c.in;
    }
}

TEST(HtmlViewFresh, NoDocumentYet) {
    HtmlView fresh;
    EXPECT_EQ(fresh.readyState(), 0);
    try {
        fresh.requireHtmlDocument();
        FAIL() << "no error";
    } catch (const HtmlError& e) {
        EXPECT_STREQ(e.what(), "It's not html document");
    }
    EXPECT_THROW(fresh.item(QStringLiteral("x")), HtmlError);
    EXPECT_THROW(fresh.documentMarkup(), HtmlError);
    EXPECT_THROW(fresh.evaluate(QStringLiteral("return 1")), HtmlError);
    EXPECT_THROW(fresh.printToPdf(QStringLiteral("/tmp/never.pdf")), HtmlError);
}

TEST_F(HtmlViewTest, ViewSettings) {
    EXPECT_EQ(view->contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_EQ(view->engineView()->contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_EQ(view->layout()->contentsMargins(), QMargins());
    HtmlView other;
    other.setUserAgent(QStringLiteral("Mozilla"));
    EXPECT_EQ(other.userAgent(), QStringLiteral("Mozilla"));
    other.loadHtml(QStringLiteral("<p>x</p>"));
    EXPECT_EQ(other.evaluate(QStringLiteral("return navigator.userAgent")).toString(),
              QStringLiteral("Mozilla"));
    EXPECT_NE(view->userAgent(), QStringLiteral("Mozilla")); // per view
}

TEST_F(HtmlViewTest, DocumentOperations) {
    load(kPage);
    EXPECT_EQ(view->readyState(), 4);
    EXPECT_NO_THROW(view->requireHtmlDocument());
    EXPECT_TRUE(view->documentMarkup().contains(QStringLiteral("<b>表</b>")));

    HtmlElement head = view->item(QStringLiteral("head"));
    ASSERT_FALSE(head.isNull());
    EXPECT_EQ(head.innerText(), QStringLiteral("参数 表"));
    EXPECT_EQ(head.innerHtml(), QStringLiteral("参数 <b>表</b>"));
    head.setInnerText(QStringLiteral("新 <文本>"));
    EXPECT_EQ(head.innerHtml(), QStringLiteral("新 &lt;文本&gt;"));
    head.setInnerHtml(QStringLiteral("<i id=\"it\">斜</i>"));
    EXPECT_EQ(view->item(QStringLiteral("it")).innerText(), QStringLiteral("斜"));
    EXPECT_TRUE(view->documentMarkup().contains(QStringLiteral("<i id=\"it\">斜</i>")));

    head.setAttribute(QStringLiteral("title"), QStringLiteral("标题"));
    EXPECT_EQ(head.getAttribute(QStringLiteral("title")), QStringLiteral("标题"));
    EXPECT_TRUE(head.getAttribute(QStringLiteral("nothing")).isNull());
    head.setDisplay(QStringLiteral("none"));
    EXPECT_EQ(view->evaluate(QStringLiteral("return document.getElementById('head').style.display"))
                  .toString(),
              QStringLiteral("none"));
    head.setDisplay(QString());
    EXPECT_EQ(head.getAttribute(QStringLiteral("style")), QString());

    // item: id or name, in document order; null when none.
    EXPECT_EQ(view->item(QStringLiteral("dup"), 0).innerText(), QStringLiteral("first"));
    EXPECT_EQ(view->item(QStringLiteral("dup"), 1).innerText(), QStringLiteral("second"));
    EXPECT_TRUE(view->item(QStringLiteral("dup"), 2).isNull());
    EXPECT_TRUE(view->item(QStringLiteral("missing")).isNull());
    EXPECT_TRUE(view->item(QStringLiteral("a\"b]\\")).isNull());
    EXPECT_TRUE(view->item(QString()).isNull());
    EXPECT_TRUE(view->item(QStringLiteral("head"), -1).isNull());
    // Ids repeated (the list window's "del" spans), names, both on one element, odd names.
    view->evaluate(QStringLiteral(
        "document.body.insertAdjacentHTML('beforeend', '<i id=\"r\">0</i><i name=\"r\">1</i>"
        "<i id=\"r\" name=\"r\">2</i><i id=\"r\">3</i><b id=\"1 x.y\">z</b>')"));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(view->item(QStringLiteral("r"), i).innerText(), QString::number(i));
    }
    EXPECT_TRUE(view->item(QStringLiteral("r"), 4).isNull());
    EXPECT_EQ(view->item(QStringLiteral("1 x.y")).innerText(), QStringLiteral("z"));
    EXPECT_THROW(HtmlElement().innerText(), HtmlError);

    // Drop-down value.
    HtmlElement select = view->item(QStringLiteral("value1"));
    EXPECT_EQ(select.value(), QStringLiteral("所有"));
    view->evaluate(QStringLiteral("document.getElementById('value1').selectedIndex = 1"));
    EXPECT_EQ(select.value(), QStringLiteral("A 1"));

    // Tables, rows, cells.
    HtmlElement table = view->item(QStringLiteral("mytable"));
    HtmlCollection rows = table.rows();
    EXPECT_EQ(rows.length(), 2);
    HtmlElement row = table.insertRow(-1);
    EXPECT_EQ(rows.length(), 3); // live
    EXPECT_EQ(row.rowIndex(), 2);
    HtmlElement cell = row.insertCell(0);
    cell.setInnerText(QStringLiteral("新格"));
    row.insertCell(1).setInnerText(QStringLiteral("值"));
    EXPECT_EQ(row.cells().length(), 2);
    EXPECT_EQ(row.cells().item(1).innerText(), QStringLiteral("值"));
    EXPECT_TRUE(row.cells().item(5).isNull());
    EXPECT_EQ(rows.item(1).cells().item(1).innerText(), QStringLiteral("100"));
    table.deleteRow(0);
    EXPECT_EQ(rows.length(), 2);
    EXPECT_EQ(row.rowIndex(), 1);
    EXPECT_EQ(rows.item(0).cells().item(0).innerText(), QStringLiteral("价格"));

    // Script errors come as HtmlError with the engine's message.
    try {
        table.insertRow(99);
        FAIL() << "no error";
    } catch (const HtmlError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("IndexSizeError")))
            << e.what();
    }
    EXPECT_THROW(head.insertCell(0), HtmlError);
    EXPECT_THROW(head.rowIndex(), HtmlError);
    EXPECT_THROW(head.rows().length(), HtmlError);
}

TEST_F(HtmlViewTest, Evaluate) {
    load(kPage);
    EXPECT_EQ(view->evaluate(QStringLiteral("return 1 + 2")).toInt(), 3);
    EXPECT_EQ(view->evaluate(QStringLiteral("return arguments[0] + arguments[1].length"),
                             {QStringLiteral("显卡 \"X\"\n"), QVariantList{1, 2, 3}})
                  .toString(),
              QStringLiteral("显卡 \"X\"\n3"));
    const QVariantMap map =
        view->evaluate(QStringLiteral("return {a: arguments[0].k, b: [true, null, 'x']}"),
                       {QVariantMap{{QStringLiteral("k"), 7}}})
            .toMap();
    EXPECT_EQ(map.value(QStringLiteral("a")).toInt(), 7);
    EXPECT_EQ(map.value(QStringLiteral("b")).toList().size(), 3);
    EXPECT_FALSE(view->evaluate(QStringLiteral("return undefined")).isValid());
    // Reading many elements in one round trip.
    const QVariantList texts =
        view->evaluate(QStringLiteral("return Array.from(document.querySelectorAll('td'), "
                                      "c => c.innerText)"))
            .toList();
    EXPECT_EQ(texts.size(), 4);
    try {
        view->evaluate(QStringLiteral("throw new TypeError('坏了')"));
        FAIL() << "no error";
    } catch (const HtmlError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("TypeError: 坏了")))
            << e.what();
    }
    try {
        view->evaluate(QStringLiteral("return ((("));
        FAIL() << "no error";
    } catch (const HtmlError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("SyntaxError")))
            << e.what();
    }
}

TEST_F(HtmlViewTest, NoTextSelection) {
    load(kPage);
    EXPECT_EQ(view->evaluate(QStringLiteral("return getComputedStyle(document.body).userSelect"))
                  .toString(),
              QStringLiteral("none"));
    EXPECT_EQ(
        view->evaluate(QStringLiteral(
                           "var r = document.createRange();"
                           "r.selectNodeContents(document.getElementById('head'));"
                           "var e = new Event('selectstart', {bubbles: true, cancelable: true});"
                           "return document.getElementById('head').dispatchEvent(e)"))
            .toBool(),
        false);
}

TEST_F(HtmlViewTest, ChineseTextWhateverThePageDeclares) {
    load(QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                        "charset=gb2312\"></head><body><p id=\"a\">显卡 “型号”</p></body></html>"));
    EXPECT_EQ(view->item(QStringLiteral("a")).innerText(), QStringLiteral("显卡 “型号”"));
}

TEST_F(HtmlViewTest, LinesRejoinedWithCrLf) {
    load(QStringLiteral("<p id=\"a\">one\ntwo\r\nthree\rfour</p>"));
    const QString source =
        view->evaluate(QStringLiteral("var x = new XMLHttpRequest();"
                                      "x.open('GET', location.href, false); x.send();"
                                      "return x.responseText"))
            .toString();
    EXPECT_EQ(source, QStringLiteral("<p id=\"a\">one\r\ntwo\r\nthree\r\nfour</p>"));
}

TEST_F(HtmlViewTest, OperationsActOnTheNewDocument) {
    view->loadHtml(QStringLiteral("<p id=\"v\">1</p>"));
    view->loadHtml(QStringLiteral("<p id=\"v\">2</p>"));
    EXPECT_EQ(view->readyState(), 1);
    EXPECT_EQ(view->item(QStringLiteral("v")).innerText(), QStringLiteral("2"));
    view->loadHtml(QStringLiteral("<p id=\"v\">3</p>"));
    EXPECT_EQ(
        view->evaluate(QStringLiteral("return document.getElementById('v').innerText")).toString(),
        QStringLiteral("3"));
    view->loadHtml(QStringLiteral("<p id=\"v\">4</p>"));
    EXPECT_EQ(view->documentMarkup(),
              QStringLiteral("<head></head><body><p id=\"v\">4</p></body>"));
}

TEST_F(HtmlViewTest, HandleFromEarlierDocumentFails) {
    load(QStringLiteral("<p id=\"x\">old</p><table id=\"t\"><tr><td>1</td></tr></table>"));
    HtmlElement old = view->item(QStringLiteral("x"));
    HtmlCollection oldRows = view->item(QStringLiteral("t")).rows();
    EXPECT_EQ(old.innerText(), QStringLiteral("old"));
    view->loadHtml(
        QStringLiteral("<p id=\"x\">new</p><table id=\"t\"><tr><td>1</td></tr></table>"));
    try {
        old.setInnerText(QStringLiteral("changed"));
        FAIL() << "no error";
    } catch (const HtmlError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("no longer"))) << e.what();
    }
    EXPECT_THROW(old.innerText(), HtmlError);
    EXPECT_THROW(oldRows.length(), HtmlError);
    EXPECT_THROW(oldRows.item(0), HtmlError);
    EXPECT_EQ(view->item(QStringLiteral("x")).innerText(), QStringLiteral("new"));
    // A handle whose view is gone fails too.
    HtmlElement orphan;
    {
        HtmlView shortLived;
        shortLived.loadHtml(QStringLiteral("<p id=\"y\">y</p>"));
        orphan = shortLived.item(QStringLiteral("y"));
        EXPECT_EQ(orphan.innerText(), QStringLiteral("y"));
    }
    EXPECT_FALSE(orphan.isNull());
    EXPECT_THROW(orphan.innerText(), HtmlError);
}

TEST_F(HtmlViewTest, LoadsDocumentsOverTwoMegabytes) {
    QString html = QStringLiteral("<div id=\"big\" style=\"display:none\">");
    html += QString(3 * 1024 * 1024, QLatin1Char('x'));
    html += QStringLiteral("</div><p id=\"tail\">尾巴</p>");
    load(html);
    EXPECT_EQ(view->item(QStringLiteral("tail")).innerText(), QStringLiteral("尾巴"));
    EXPECT_EQ(
        view->evaluate(QStringLiteral("return document.getElementById('big').textContent.length"))
            .toInt(),
        3 * 1024 * 1024);
}

// ---- navigation reports --------------------------------------------------------------

struct NavigationCase {
    const char* markup;
    const char* script; // how the page is made to navigate
    const char* address;
};

TEST_F(HtmlViewTest, NavigationAddressesArriveAsWritten) {
    const NavigationCase cases[] = {
        {"<a id=\"t\" href=\"goback://\">返回重新设置</a>", "document.getElementById('t').click()",
         "goback:///"},
        {"<input id=\"t\" onclick=\"javascript:window.location='AddToList://';\" type=\"button\" "
         "value=\"添加到配置单\" />",
         "document.getElementById('t').click()", "AddToList:///"},
        {"<input id=\"t\" onclick=\"javascript:window.location='AddToCompare://';\" "
         "type=\"button\" value=\"参数比较\" />",
         "document.getElementById('t').click()", "AddToCompare:///"},
        {"<select name=\"value1\" id=\"t\" "
         "onchange=\"javascript:window.location='selectchanged://1'\">"
         "<option value=\"所有\">所有</option><option value=\"b\">b</option></select>",
         "var s = document.getElementById('t'); s.value = 'b';"
         "s.dispatchEvent(new Event('change', {bubbles: true}))",
         "selectchanged://1/"},
        {"<SELECT size=\"1\" name=\"value12\", id=\"t\" onchange=\"javascript:window.location="
         "'selectchanged://12'\"><OPTION VALUE=\"所有\">所有</OPTION><OPTION VALUE=\"x\">x</OPTION>"
         "</SELECT>",
         "var s = document.getElementById('t'); s.selectedIndex = 1;"
         "s.dispatchEvent(new Event('change'))",
         "selectchanged://12/"},
        {"<a id=\"t\" href='DEL://显卡 X'>删除</a>", "document.getElementById('t').click()",
         "DEL://显卡 X/"},
        {"<a id=\"t\" href='DEL://显卡 X/y'>删除</a>", "document.getElementById('t').click()",
         "DEL://显卡 X/y"},
        {"<span id=\"del\">[<a href='DEL://ABC'><b id=\"t\">删除</b></a>]</span>",
         "document.getElementById('t').click()", "DEL://ABC/"},
        {"<a id=\"t\" href=\"about:blank\">x</a>", "document.getElementById('t').click()",
         "about:blank"},
        {"<button id=\"t\" onclick=\"window.location.href='selectchanged://3'\">x</button>",
         "document.getElementById('t').click()", "selectchanged://3/"},
        {"<button id=\"t\" onclick=\"location.assign('Search://')\">x</button>",
         "document.getElementById('t').click()", "Search:///"},
        {"<button id=\"t\" onclick=\"self.location.replace('GoBack://')\">x</button>",
         "document.getElementById('t').click()", "GoBack:///"},
        {"<button id=\"t\" onclick=\"location = 'Search://'\">x</button>",
         "document.getElementById('t').click()", "Search:///"},
        {"<button id=\"t\" onclick=\"location.href = 'DEL://显卡 X'\">x</button>",
         "document.getElementById('t').click()", "DEL://显卡 X/"},
        {"<a id=\"t\" href=\"other.html\">x</a>", "document.getElementById('t').click()",
         "parvex://doc/other.html"},
        {"<form method=\"post\" action=\"search://\"><input type=\"submit\" id=\"t\"></form>",
         "document.getElementById('t').click()", "search:///"},
        {"<form action=\"Search://\"><input name=\"q\" value=\"显卡 X\"><input type=\"submit\" "
         "id=\"t\"></form>",
         "document.getElementById('t').click()", "Search:///?q=%E6%98%BE%E5%8D%A1+X"},
    };
    for (const NavigationCase& c : cases) {
        SCOPED_TRACE(c.markup);
        seen.clear();
        load(QStringLiteral("<p id=\"mark\">kept</p>") + QString::fromUtf8(c.markup));
        ASSERT_TRUE(trigger(QString::fromUtf8(c.script)));
        EXPECT_EQ(seen.value(0), QString::fromUtf8(c.address));
        EXPECT_EQ(seen.size(), 1);
        // Cancelled: the document stays as it was.
        EXPECT_EQ(view->item(QStringLiteral("mark")).innerText(), QStringLiteral("kept"));
    }
}

TEST_F(HtmlViewTest, DeleteLinksDifferingInCaseStayDistinct) {
    load(QStringLiteral("<table><tr><td>m1<span id=\"del\">[<a id=\"u\" href='DEL://ABC'>删除</a>]"
                        "</span></td></tr><tr><td>m2<span id=\"del\">[<a id=\"l\" href='DEL://abc'>"
                        "删除</a>]</span></td></tr></table>"));
    ASSERT_TRUE(trigger(QStringLiteral("document.getElementById('u').click();"
                                       "document.getElementById('l').click()"),
                        2));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("DEL://ABC/"), QStringLiteral("DEL://abc/")}));
}

TEST_F(HtmlViewTest, RealMouseClickOnALinkIsReported) {
    // An address whose engine form would differ ("del://abc/"): the page itself reported.
    load(QStringLiteral("<body style=\"margin:0\"><a id=\"t\" href=\"DEL://ABC\" "
                        "style=\"display:block;width:300px;height:100px\">返回</a></body>"));
    QWidget* target = view->engineView()->focusProxy();
    ASSERT_NE(target, nullptr);
    const QPoint at(50, 50);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    ASSERT_TRUE(waitFor([&] { return !seen.isEmpty(); }));
    EXPECT_EQ(seen.value(0), QStringLiteral("DEL://ABC/"));
}

TEST_F(HtmlViewTest, PageCancelledClickIsNotReported) {
    load(QStringLiteral("<a id=\"t\" href=\"goback://\" onclick=\"return false\">x</a>"
                        "<a id=\"u\" href=\"AddToList://\">y</a>"));
    ASSERT_TRUE(trigger(QStringLiteral("document.getElementById('t').click();"
                                       "document.getElementById('u').click()")));
    EXPECT_EQ(seen, QStringList{QStringLiteral("AddToList:///")});
}

TEST_F(HtmlViewTest, ScriptNavigationFallsBackToTheEnginesAddress) {
    // A function of a page script sees the real window: the engine reports, lossily.
    load(QStringLiteral("<script>function go(a) { window.location = a; }</script>"
                        "<p id=\"mark\">kept</p>"));
    ASSERT_TRUE(trigger(QStringLiteral("go('goback://')")));
    EXPECT_EQ(seen.value(0), QStringLiteral("goback:///"));
    ASSERT_TRUE(trigger(QStringLiteral("go('AddToList://')"), 2));
    EXPECT_EQ(seen.value(1), QStringLiteral("addtolist:///")); // QUrl lower-cases the scheme
    EXPECT_EQ(view->item(QStringLiteral("mark")).innerText(), QStringLiteral("kept"));

    // The window's events written on <body> run without the element's scope; and a
    // navigation rejected while the document loads must not leave the load unfinished.
    seen.clear();
    QElapsedTimer clock;
    clock.start();
    view->loadHtml(QStringLiteral("<body onload=\"window.location='AddToList://'\">"
                                  "<p id=\"mark\">still</p></body>"));
    EXPECT_EQ(view->item(QStringLiteral("mark")).innerText(), QStringLiteral("still"));
    EXPECT_LT(clock.elapsed(), 5000);
    ASSERT_TRUE(waitFor([&] { return !seen.isEmpty(); }));
    EXPECT_EQ(seen.value(0), QStringLiteral("addtolist:///"));
    EXPECT_EQ(view->readyState(), 4);
}

TEST_F(HtmlViewTest, HandlerMayUseTheViewSynchronously) {
    load(kPage);
    QString valueSeen;
    view->setNavigationHandler([&](const QString& address, bool& cancel) {
        seen.append(address);
        cancel = true;
        valueSeen = view->item(QStringLiteral("value1")).value();
        view->item(QStringLiteral("p")).setInnerText(QStringLiteral("变了"));
    });
    ASSERT_TRUE(
        trigger(QStringLiteral("var s = document.getElementById('value1'); s.selectedIndex = 1;"
                               "s.dispatchEvent(new Event('change'))")));
    EXPECT_EQ(seen.value(0), QStringLiteral("selectchanged://1/"));
    EXPECT_EQ(valueSeen, QStringLiteral("A 1"));
    EXPECT_EQ(view->item(QStringLiteral("p")).innerText(), QStringLiteral("变了"));
}

TEST_F(HtmlViewTest, AcceptedCommandAddressGoesNowhere) {
    cancelAll = false;
    load(QStringLiteral("<p id=\"mark\">kept</p><a id=\"t\" href=\"goback://\">x</a>"
                        "<script>function go() { location.href = 'DEL://abc'; }</script>"));
    ASSERT_TRUE(trigger(QStringLiteral("document.getElementById('t').click(); go()"), 2));
    waitFor([] { return false; }, 300);
    EXPECT_EQ(view->item(QStringLiteral("mark")).innerText(), QStringLiteral("kept"));
    EXPECT_EQ(view->readyState(), 4);
}

TEST_F(HtmlViewTest, AcceptedNavigationToAboutBlankHappens) {
    cancelAll = false;
    load(QStringLiteral(
        "<p id=\"mark\">kept</p>"
        "<input id=\"t\" type=\"button\" onclick=\"window.location='about:blank'\">"));
    ASSERT_TRUE(trigger(QStringLiteral("document.getElementById('t').click()")));
    EXPECT_EQ(seen.value(0), QStringLiteral("about:blank"));
    ASSERT_TRUE(waitFor([] {
        return view->evaluate(QStringLiteral("return location.href")).toString() ==
               QStringLiteral("about:blank");
    }));
    EXPECT_TRUE(view->item(QStringLiteral("mark")).isNull());
    EXPECT_EQ(view->documentMarkup(), QStringLiteral("<head></head><body></body>"));
}

TEST_F(HtmlViewTest, AcceptedFormPostIsCarriedOut) {
    cancelAll = false;
    // No action: the form posts to the document's own address, which serves it again.
    load(QStringLiteral("<form method=\"post\"><input name=\"q\" value=\"1\">"
                        "<input type=\"submit\" id=\"t\"></form><p id=\"mark\">kept</p>"));
    view->item(QStringLiteral("mark")).setInnerText(QStringLiteral("changed"));
    const QString address = view->evaluate(QStringLiteral("return location.href")).toString();
    ASSERT_TRUE(trigger(QStringLiteral("document.getElementById('t').click()")));
    EXPECT_EQ(seen.value(0), address);
    // The post's load is the page's, not one the view waits for: read until it is there.
    ASSERT_TRUE(waitFor([] {
        try {
            return view->evaluate(QStringLiteral("var m = document.getElementById('mark');"
                                                 "return m ? m.innerText : ''"))
                       .toString() == QStringLiteral("kept");
        } catch (const HtmlError&) {
            return false; // between the two documents
        }
    }));
}

TEST_F(HtmlViewTest, MetaRefreshAndScriptNavigationToAboutBlankAreReported) {
    // These never reach the engine's navigation hook; the page runtime catches them.
    load(QStringLiteral("<meta http-equiv=\"refresh\" content=\"0;url=about:blank\">"
                        "<p id=\"mark\">kept</p>"));
    ASSERT_TRUE(waitFor([&] { return !seen.isEmpty(); }));
    EXPECT_EQ(seen.value(0), QStringLiteral("about:blank"));
    EXPECT_EQ(view->item(QStringLiteral("mark")).innerText(), QStringLiteral("kept"));
    load(QStringLiteral("<script>function go() { location = 'about:blank'; }</script>"
                        "<p id=\"mark\">kept</p>"));
    ASSERT_TRUE(trigger(QStringLiteral("go()"), 2));
    EXPECT_EQ(seen.value(1), QStringLiteral("about:blank"));
    // A meta refresh to a command address comes through the engine.
    load(QStringLiteral("<meta http-equiv=\"refresh\" content=\"0;url=goback://\">"
                        "<p id=\"mark\">kept</p>"));
    ASSERT_TRUE(waitFor([&] { return seen.size() >= 3; }));
    EXPECT_EQ(seen.value(2), QStringLiteral("goback:///"));
    EXPECT_EQ(view->item(QStringLiteral("mark")).innerText(), QStringLiteral("kept"));
}

TEST_F(HtmlViewTest, ProgramNavigationIsNotReported) {
    view->navigate(QStringLiteral("about:blank"));
    EXPECT_EQ(view->documentMarkup(), QStringLiteral("<head></head><body></body>"));
    load(kPage);
    waitFor([] { return false; }, 100);
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_THROW(view->navigate(QStringLiteral("goback://")), HtmlError);
}

// ---- renderer crash, printing ----------------------------------------------------------

TEST_F(HtmlViewTest, RecoversWhenTheRendererDies) {
    HtmlView crashy;
    crashy.loadHtml(QStringLiteral("<p id=\"x\">还在</p>"));
    HtmlElement before = crashy.item(QStringLiteral("x"));
    const qint64 pid = crashy.engineView()->page()->renderProcessPid();
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGKILL), 0);
    ASSERT_TRUE(waitFor([&] { return crashy.engineView()->page()->renderProcessPid() != pid; }));
    EXPECT_EQ(crashy.item(QStringLiteral("x")).innerText(), QStringLiteral("还在"));
    EXPECT_THROW(before.innerText(), HtmlError);
    // And the view keeps working.
    crashy.loadHtml(QStringLiteral("<p id=\"x\">新</p>"));
    EXPECT_EQ(crashy.item(QStringLiteral("x")).innerText(), QStringLiteral("新"));
}

TEST_F(HtmlViewTest, WaitsAreBounded) {
    HtmlView slow;
    slow.loadHtml(QStringLiteral("<p id=\"x\">x</p>"));
    slow.waitUntilLoaded();
    slow.setWaitTimeout(300);
    QElapsedTimer clock;
    clock.start();
    try {
        slow.evaluate(QStringLiteral("var end = Date.now() + 3000; while (Date.now() < end) {}"));
        FAIL() << "no error";
    } catch (const HtmlError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("no answer within 0.3 s")))
            << e.what();
    }
    EXPECT_LT(clock.elapsed(), 2500); // well before the script would have answered
    slow.setWaitTimeout(20000);
    EXPECT_EQ(slow.item(QStringLiteral("x")).innerText(), QStringLiteral("x")); // usable again

    // The renderer dying during a wait ends the wait with an error; the view recovers.
    const qint64 pid = slow.engineView()->page()->renderProcessPid();
    QTimer::singleShot(200, [pid] { ::kill(static_cast<pid_t>(pid), SIGKILL); });
    try {
        slow.evaluate(QStringLiteral("while (true) {}"));
        FAIL() << "no error";
    } catch (const HtmlError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("renderer process ended")))
            << e.what();
    }
    EXPECT_EQ(slow.item(QStringLiteral("x")).innerText(), QStringLiteral("x"));
}

TEST_F(HtmlViewTest, PrintToPdfKeepsTheText) {
    load(QStringLiteral("<h1>配置单</h1><table border=\"1\"><tr><td>显卡</td><td>GT-9000</td></tr>"
                        "</table>"));
    TempDir dir;
    const QString file = dir.file(QStringLiteral("page.pdf"));
    view->printToPdf(file);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("配置单"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("显卡"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("GT-9000"))) << text.toStdString();
}

TEST_F(HtmlViewTest, PrintThroughTheDialog) {
    load(QStringLiteral("<h1>配置单</h1><p>打印</p>"));
    TempDir dir;
    const QString file = dir.file(QStringLiteral("printed.pdf"));
    int shown = 0;
    view->setPrintDialog([&](QPrinter& printer) {
        ++shown;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setResolution(150); // the pages are printed as pictures: keep the test quick
        return true;
    });
    EXPECT_TRUE(view->print());
    EXPECT_EQ(shown, 1);
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
    EXPECT_GT(pdf.size(), 500);

    view->setPrintDialog([&](QPrinter&) {
        ++shown;
        return false;
    });
    EXPECT_FALSE(view->print()); // cancelled
    EXPECT_EQ(shown, 2);
}

} // namespace

#include "HtmlViewTest.moc"
