#include "BrowseFixture.h"

#include "HtmlView.h"
#include "PageCommands.h"
#include "VdbWriter.h"
#include "WaitFor.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const char* const kFind =
    "function find(key) {"
    "  var all = document.querySelectorAll('[id],[name]');"
    "  for (var i = 0; i < all.length; ++i)"
    "    if (all[i].id === key || all[i].getAttribute('name') === key) return all[i];"
    "  return null;"
    "}";

QString script(const char* body) {
    return QString::fromUtf8(kFind) + QString::fromUtf8(body);
}

} // namespace

void BrowseData::write(const TempDir& dir, bool withDatabase, bool withCategories) {
    if (withCategories) {
        writeCategoryFile(dir.file(QStringLiteral("class.lst")),
                          {QStringLiteral("电脑配件"), QStringLiteral("\t显卡"),
                           QStringLiteral("\t内存"), QStringLiteral("外部设备"),
                           QStringLiteral("\t鼠标"), QStringLiteral("\t不存在的类")});
    }
    if (!withDatabase) {
        return;
    }
    VdbWriter db(dir.file(QStringLiteral("velmora.vdb")));
    const QString card = QStringLiteral("显卡");
    db.createTable(card, {QStringLiteral("品牌"), QStringLiteral("型号"),
                          QStringLiteral("显存带宽【GBs】"), QStringLiteral("接口"),
                          QStringLiteral("备注")});
    const QList<QStringList> cards = {
        {"甲", "A1", "100", "PCIe", "一"},          {"甲", "A1", "200", "PCIe", "二"},
        {"甲", "A2", "300", "AGP", "三"},           {"乙", "B1", "100", "AGP", "四"},
        {"他\"说", "Q1", "400", "PCIe", "五"},      {"型号", "M1", "500", "PCIe", "六"},
        {"所有者", "S1", "600", "USB", "七"},       {"丙", "全部所有", "700", "PCIe", "八"},
        {"丙", "C1", "800", "PCIe", "九"},          {"丁", "D&<1>", "900", "PCIe", "十"},
        {"R&D <新>", "N1", "1000", "PCIe", "十一"},
    };
    for (qsizetype i = 0; i < cards.size(); ++i) {
        db.insertRow(card, i + 1, cards[i]);
    }
    const QString memory = QStringLiteral("内存");
    db.createTable(memory, {QStringLiteral("品牌"), QStringLiteral("型号")});
    db.insertRow(memory, 1, {QStringLiteral("甲"), QStringLiteral("R1")});
    db.insertRow(memory, 2, {QStringLiteral("甲"), QStringLiteral("R2")});
    db.insertRow(memory, 3, {QStringLiteral("乙"), QStringLiteral("R3")});
    const QString mouse = QStringLiteral("鼠标");
    db.createTable(mouse, {QStringLiteral("品牌")});
    db.insertRow(mouse, 1, {QStringLiteral("甲")});
    db.finish();
}

BrowseWindow::BrowseWindow(const QString& programDir)
    : window_(std::make_unique<Tfrm_ts>(programDir + QStringLiteral("/parvex"))) {
    window_->WB->setNavigationHandler([this](const QString& address, bool& cancel) {
        window_->commands().WBBeforeNavigate2(address, cancel);
        navigations_.append({address, cancel});
    });
}

BrowseWindow::~BrowseWindow() = default;

void BrowseWindow::clickLeaf(const QString& kind) {
    const QList<QTreeWidgetItem*> found =
        window_->tv_tsList->findItems(kind, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty()) << kind.toStdString();
    window_->tv_tsList->setCurrentItem(found.first());
    window_->tv_tsListClick();
    window_->WB->waitUntilLoaded();
}

void BrowseWindow::waitForNavigation(int before) {
    ASSERT_TRUE(waitFor([&] { return navigations_.size() > before; }))
        << "the main view reported no navigation";
}

void BrowseWindow::choose(const QString& id, const QString& value) {
    const int before = int(navigations_.size());
    const QVariant found =
        window_->WB->evaluate(script("var s = find(arguments[0]);"
                                     "if (s === null) return false;"
                                     "s.value = arguments[1];"
                                     "if (s.value !== arguments[1]) return false;"
                                     "s.dispatchEvent(new Event('change'));"
                                     "return true;"),
                              {id, value});
    ASSERT_TRUE(found.toBool()) << "no option " << value.toStdString() << " in "
                                << id.toStdString();
    waitForNavigation(before);
}

void BrowseWindow::followLink(const QString& address) {
    const int before = int(navigations_.size());
    window_->WB->evaluate(QStringLiteral("var a = document.createElement('a');"
                                         "a.href = arguments[0];"
                                         "a.textContent = 'link';"
                                         "document.body.appendChild(a);"
                                         "a.click();"),
                          {address});
    waitForNavigation(before);
}

QString BrowseWindow::text(const QString& id) {
    return window_->WB
        ->evaluate(script("var e = find(arguments[0]);"
                          "return e === null ? null : e.innerText;"),
                   {id})
        .toString();
}

bool BrowseWindow::hasSelect(const QString& id) {
    return window_->WB
        ->evaluate(script("var e = find(arguments[0]);"
                          "return e !== null && e.tagName === 'SELECT';"),
                   {id})
        .toBool();
}

QStringList BrowseWindow::options(const QString& id) {
    return window_->WB
        ->evaluate(script("var e = find(arguments[0]);"
                          "if (e === null) return [];"
                          "return Array.prototype.map.call(e.options, function (o) {"
                          "  return o.value; });"),
                   {id})
        .toStringList();
}

QString BrowseWindow::selected(const QString& id) {
    return window_->WB
        ->evaluate(script("var e = find(arguments[0]); return e === null ? null : e.value;"), {id})
        .toString();
}

int BrowseWindow::count(const QString& selector) {
    return window_->WB
        ->evaluate(QStringLiteral("return document.querySelectorAll(arguments[0]).length;"),
                   {selector})
        .toInt();
}

TempDir* BrowseWindowTest::dir_ = nullptr;
BrowseWindow* BrowseWindowTest::browse_ = nullptr;

void BrowseWindowTest::SetUpTestSuite() {
    dir_ = new TempDir;
    BrowseData::write(*dir_);
    browse_ = new BrowseWindow(dir_->path());
}

void BrowseWindowTest::TearDownTestSuite() {
    delete browse_;
    browse_ = nullptr;
    delete dir_;
    dir_ = nullptr;
}
