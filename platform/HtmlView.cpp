#include "HtmlView.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>

#include <memory>
#include <optional>

namespace {

constexpr char kScheme[] = "parvex";
constexpr char kDocumentHost[] = "doc";
// Prefix of the page's navigation reports (HtmlViewRuntime.js).
const QString kReportPrefix = QStringLiteral("\u0001parvex-nav\u0001");
const QString kStatePrefix = QStringLiteral("\u0001parvex-state\u0001");
const char kNotHtml[] = "It's not html document";

// Serves the view's documents: parvex://doc/<n> gives the n-th text given to loadHtml,
// as UTF-8 with a byte order mark (the mark decides the encoding whatever the headers).
class DocumentHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void put(const QString& path, QByteArray bytes) { documents_.insert(path, std::move(bytes)); }
    // Forgets every document but `path` (the one the view shows, kept for recovery).
    void keepOnly(const QString& path) {
        for (auto it = documents_.begin(); it != documents_.end();) {
            it = it.key() == path ? std::next(it) : documents_.erase(it);
        }
    }

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        const auto it = documents_.constFind(job->requestUrl().path());
        if (it == documents_.constEnd()) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* buffer = new QBuffer(job);
        buffer->setData(*it);
        buffer->open(QIODevice::ReadOnly);
        job->reply(QByteArrayLiteral("text/html;charset=utf-8"), buffer);
    }

private:
    QHash<QString, QByteArray> documents_;
};

// The engine's page: hands navigation requests and console messages to the view.
class EnginePage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

    std::function<bool(const QUrl&, NavigationType, bool)> onNavigation;
    std::function<bool(const QString&)> onConsole;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        return onNavigation ? onNavigation(url, type, isMainFrame) : false;
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int line, const QString& source) override {
        if (onConsole && onConsole(message))
            return;
        QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
    }
};

// Schemes the engine can load itself. Any other address (the program's command addresses)
// is never let through to the engine: it would hand it to the desktop.
bool isLoadable(const QUrl& url) {
    static const QStringList schemes = {QStringLiteral("http"), QStringLiteral("https"),
                                        QStringLiteral("file"), QStringLiteral("about"),
                                        QStringLiteral("data"), QStringLiteral("blob"),
                                        QStringLiteral("qrc"),  QString::fromLatin1(kScheme)};
    return url.isValid() && schemes.contains(url.scheme());
}

bool sameUrl(const QUrl& a, const QUrl& b) {
    const auto options = QUrl::StripTrailingSlash | QUrl::NormalizePathSegments;
    return a.adjusted(options) == b.adjusted(options);
}

// The text with every line end (CR LF, LF alone, CR alone) written as CR LF.
QString withCrLfLineEnds(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const QChar* c = text.constData();
    const QChar* end = c + text.size();
    while (c != end) {
        const QChar* run = c;
        while (c != end && *c != QLatin1Char('\r') && *c != QLatin1Char('\n')) {
            ++c;
        }
        out.append(run, c - run);
        if (c == end) {
            break;
        }
        if (*c == QLatin1Char('\r') && c + 1 != end && c[1] == QLatin1Char('\n')) {
            ++c;
        }
        ++c;
        out.append(QLatin1String("\r\n"));
    }
    return out;
}

QString jsString(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case 0x2028:
            out += QLatin1String("\\u2028");
            break;
        case 0x2029:
            out += QLatin1String("\\u2029");
            break;
        default:
            if (c.unicode() < 0x20) {
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            } else {
                out += c;
            }
        }
    }
    out += QLatin1Char('"');
    return out;
}

QString jsValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QString:
        return jsString(value.toString());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return QString::number(value.toLongLong());
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        return QStringLiteral("null");
    default:
        break;
    }
    const QJsonArray wrapped{QJsonValue::fromVariant(value)};
    const QByteArray json = QJsonDocument(wrapped).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2)); // without the brackets
}

QString jsArray(const QVariantList& values) {
    QString out = QStringLiteral("[");
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(',');
        out += jsValue(values[i]);
    }
    out += QLatin1Char(']');
    return out;
}

QString runtimeSource() {
    static const QString source = [] {
        QFile file(QStringLiteral(":/parvex/HtmlViewRuntime.js"));
        if (!file.open(QIODevice::ReadOnly)) {
            qFatal("HtmlView: the page runtime is missing from the resources");
        }
        return QString::fromUtf8(file.readAll());
    }();
    return source;
}

} // namespace

struct HtmlView::Impl {
    HtmlView* q = nullptr;
    QWebEngineProfile* profile = nullptr;
    DocumentHandler* handler = nullptr;
    EnginePage* page = nullptr;
    QWebEngineView* view = nullptr;

    NavigationHandler navigationHandler;
    PrintDialog printDialog;
    int waitTimeout = 20000;
    int printTimeout = 600000;

    // Documents. A load is pending from the program's request to the end of that load.
    quint64 documentCount = 0;
    bool everLoaded = false; // the program has given the view a document or an address
    bool loadPending = false;
    bool pendingInteractive = false; // the pending document has been parsed
    bool pendingOwn = false;         // the pending load is a document of the program's own
    QUrl pendingUrl;
    QUrl lastUrl; // what the view shows (or is loading): for recovery
    int crashCount = 0;
    int recoveries = 0; // recoveries since the last load that succeeded
    bool destroying = false;

    // Waits.
    QList<QEventLoop*> loops;
    int waitDepth = 0;

    // Navigation reports waiting for the handler.
    struct Report {
        QString address;
        QUrl url;              // the engine's (lossy) address, for reports it made
        bool fromPage = false; // reported by the page with the raw text
        int formKey = 0;
        bool post = false;
    };
    QList<Report> reports;
    bool dispatchQueued = false;
    bool dispatching = false;
    int approvals = 0; // page navigations the program let through (form posts)

    // Runs the event loop (user input excluded) until done() holds or the time runs out.
    // `slot` (optional) receives the loop so that a callback can stop it.
    bool waitUntil(const std::function<bool()>& done, int timeoutMs, QEventLoop** slot = nullptr) {
        if (done())
            return true;
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(timeoutMs);
        loops.append(&loop);
        if (slot)
            *slot = &loop;
        ++waitDepth;
        while (!done() && timer.isActive()) {
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        }
        --waitDepth;
        if (slot)
            *slot = nullptr;
        loops.removeOne(&loop);
        if (waitDepth == 0 && !reports.isEmpty())
            queueDispatch();
        return done();
    }

    void wakeAll() {
        for (QEventLoop* loop : std::as_const(loops))
            loop->quit();
    }

    QString seconds(int ms) const { return QString::number(ms / 1000.0, 'g', 3); }

    // One script, one round trip; the script's value.
    QVariant run(const QString& script, const QString& what) {
        struct State {
            bool done = false;
            QVariant result;
            QEventLoop* loop = nullptr;
        };
        auto state = std::make_shared<State>();
        const int crashes = crashCount;
        page->runJavaScript(script, QWebEngineScript::MainWorld, [state](const QVariant& v) {
            state->result = v;
            state->done = true;
            if (state->loop)
                state->loop->quit();
        });
        waitUntil([&] { return state->done || crashCount != crashes; }, waitTimeout, &state->loop);
        if (state->done)
            return state->result;
        if (crashCount != crashes) {
            throw HtmlError(QStringLiteral("The page's renderer process ended during %1")
                                .arg(what)
                                .toStdString());
        }
        throw HtmlError(QStringLiteral("The page gave no answer within %1 s to %2")
                            .arg(seconds(waitTimeout), what)
                            .toStdString());
    }

    // Runs `call` (a call of the page runtime answering [code, value]) and returns value.
    QVariant call(const QString& call, const QString& what) {
        const QString script =
            QStringLiteral("window.__pvx?__pvx.") + call + QStringLiteral(":[9]");
        for (int attempt = 0;; ++attempt) {
            const QVariantList answer = run(script, what).toList();
            const int code = answer.isEmpty() ? -1 : answer.first().toInt();
            switch (code) {
            case 0:
                return answer.value(1);
            case 1:
                throw HtmlError(QStringLiteral("%1: the element belongs to a document that the "
                                               "view no longer shows")
                                    .arg(what)
                                    .toStdString());
            case 2:
                throw HtmlError(
                    QStringLiteral("%1: %2").arg(what, answer.value(1).toString()).toStdString());
            case 3:
                throw HtmlError(kNotHtml);
            case 9:
                if (attempt == 0) {
                    // A document the injection missed: install the runtime and ask again.
                    run(runtimeSource(), QStringLiteral("installing the page runtime"));
                    continue;
                }
                [[fallthrough]];
            default:
                throw HtmlError(
                    QStringLiteral("%1: the page gave no usable answer").arg(what).toStdString());
            }
        }
    }

    void waitUntilLoaded() {
        if (!loadPending)
            return;
        if (!waitUntil([this] { return !loadPending; }, waitTimeout)) {
            throw HtmlError(QStringLiteral("The document did not finish loading within %1 s (%2)")
                                .arg(seconds(waitTimeout), pendingUrl.toString())
                                .toStdString());
        }
    }

    // Before every document operation: the program's pending load has ended and there is
    // a document at all.
    void document() {
        waitUntilLoaded();
        if (!everLoaded)
            throw HtmlError(kNotHtml);
    }

    void startLoad(const QUrl& url, bool own) {
        everLoaded = true;
        loadPending = true;
        pendingInteractive = false;
        pendingOwn = own;
        pendingUrl = url;
        lastUrl = url;
        page->load(url);
    }

    void onLoadingChanged(const QWebEngineLoadingInfo& info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus || !loadPending)
            return;
        const bool succeeded = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus;
        // A navigation the view rejected also ends in a failed load: only the end of the
        // program's own load counts (or, for a web address, any load that succeeded, as a
        // server may redirect).
        if (!sameUrl(info.url(), pendingUrl) && (pendingOwn || !succeeded))
            return;
        finishLoad(succeeded);
    }

    // The page's word (HtmlViewRuntime.js): "<3|4> <document address>" at DOMContentLoaded
    // and at load.
    void onPageState(const QString& text) {
        const qsizetype space = text.indexOf(QLatin1Char(' '));
        if (!loadPending || space < 0 || !sameUrl(QUrl(text.mid(space + 1)), pendingUrl))
            return;
        if (text.left(space) == QLatin1String("3")) {
            pendingInteractive = true;
        } else {
            finishLoad(true);
        }
    }

    void finishLoad(bool succeeded) {
        loadPending = false;
        pendingInteractive = false;
        if (succeeded)
            recoveries = 0;
        if (pendingOwn && succeeded)
            handler->keepOnly(pendingUrl.path());
        wakeAll();
        if (pendingOwn && succeeded)
            emit q->documentLoaded();
    }

    void onRenderProcessTerminated() {
        if (destroying)
            return;
        ++crashCount;
        wakeAll();
        if (recoveries >= 3) {
            qWarning("HtmlView: the page's renderer process keeps ending; the view stays empty");
            loadPending = false;
            return;
        }
        ++recoveries;
        // Show the last document again (the store still holds it), or an empty page.
        const QUrl url = everLoaded ? lastUrl : QUrl(QStringLiteral("about:blank"));
        if (everLoaded) {
            loadPending = true;
            pendingInteractive = false;
            pendingOwn = url.scheme() == QLatin1String(kScheme);
            pendingUrl = url;
        }
        QTimer::singleShot(0, q, [this, url] { page->load(url); });
    }

    // --- navigation requests -------------------------------------------------------------

    bool onNavigation(const QUrl& url, QWebEnginePage::NavigationType type, bool isMainFrame) {
        if (approvals > 0 && isMainFrame && type != QWebEnginePage::NavigationTypeTyped) {
            --approvals;
            return isLoadable(url);
        }
        switch (type) {
        case QWebEnginePage::NavigationTypeTyped: // the program's own loads
        case QWebEnginePage::NavigationTypeReload:
            return isLoadable(url);
        case QWebEnginePage::NavigationTypeRedirect:
            // A server's redirect of a web load the program started; a client redirect
            // (meta refresh, a script assigning location while the page loads) is the
            // page's own navigation.
            if (loadPending && !pendingOwn && isLoadable(url))
                return true;
            break;
        default:
            if (!isMainFrame && isLoadable(url))
                return true; // a frame's own content
            break;
        }
        // A navigation the page started that escaped the page runtime (for example a
        // script of the page assigning location): the address is only known as the
        // engine's QUrl. Decide nothing here (no event loop may run inside this call):
        // cancel, and let the handler decide from the event loop.
        Report report;
        report.address = HtmlView::canonicalAddress(url.toString());
        report.url = url;
        report.fromPage = false;
        enqueue(std::move(report));
        return false;
    }

    bool onConsole(const QString& message) {
        if (message.startsWith(kStatePrefix)) {
            onPageState(message.mid(kStatePrefix.size()));
            return true;
        }
        if (!message.startsWith(kReportPrefix))
            return false;
        const QJsonArray data =
            QJsonDocument::fromJson(message.mid(kReportPrefix.size()).toUtf8()).array();
        if (data.isEmpty())
            return true;
        Report report;
        report.address = HtmlView::canonicalAddress(data.at(0).toString());
        if (data.at(3).isString())
            report.address += QLatin1Char('?') + data.at(3).toString();
        report.fromPage = true;
        report.formKey = data.at(1).toInt();
        report.post = data.at(2).toBool();
        enqueue(std::move(report));
        return true;
    }

    void enqueue(Report report) {
        reports.append(std::move(report));
        queueDispatch();
    }

    void queueDispatch() {
        if (dispatchQueued)
            return;
        dispatchQueued = true;
        QMetaObject::invokeMethod(
            q,
            [this] {
                dispatchQueued = false;
                dispatch();
            },
            Qt::QueuedConnection);
    }

    // Calls the handler for each report, from the event loop, never while one of the view's
    // waits runs (it is queued again when the outermost wait ends) nor inside itself.
    void dispatch() {
        if (waitDepth > 0 || dispatching)
            return;
        QPointer<HtmlView> alive(q);
        dispatching = true;
        while (!reports.isEmpty()) {
            const Report report = reports.takeFirst();
            bool cancel = false;
            if (navigationHandler) {
                const NavigationHandler handlerCopy = navigationHandler;
                try {
                    handlerCopy(report.address, cancel);
                } catch (const std::exception& e) {
                    qWarning("HtmlView: the navigation handler failed (%s); navigation cancelled",
                             e.what());
                    cancel = true;
                } catch (...) {
                    qWarning("HtmlView: the navigation handler failed; navigation cancelled");
                    cancel = true;
                }
                if (!alive)
                    return;
            }
            if (!cancel)
                carryOut(report);
        }
        dispatching = false;
    }

    // The handler let a navigation go on: carry it out where the engine can; any other
    // address (a command address nobody took) goes nowhere, never to the desktop.
    void carryOut(const Report& report) {
        const QUrl url = report.fromPage ? QUrl(report.address) : report.url;
        if (!isLoadable(url))
            return;
        if (report.fromPage && report.formKey > 0 && report.post) {
            ++approvals;
            QTimer::singleShot(5000, q, [this] { approvals = 0; });
            page->runJavaScript(
                QStringLiteral("window.__pvx&&__pvx.resubmit(%1)").arg(report.formKey),
                QWebEngineScript::MainWorld);
            return;
        }
        startLoad(url, url.scheme() == QLatin1String(kScheme));
    }
};

// ---------------------------------------------------------------------------------------

void HtmlView::registerSchemes() {
    static bool done = false;
    if (done)
        return;
    done = true;
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QString HtmlView::documentScheme() {
    return QString::fromLatin1(kScheme);
}

HtmlView::HtmlView(QWidget* parent) : QWidget(parent), d(std::make_unique<Impl>()) {
    d->q = this;
    setContextMenuPolicy(Qt::NoContextMenu);

    // A profile of the view's own: the user agent is a profile's setting, and the views of
    // the program may send different ones.
    d->profile = new QWebEngineProfile(this);
    d->handler = new DocumentHandler(d->profile);
    d->profile->installUrlSchemeHandler(kScheme, d->handler);

    d->page = new EnginePage(d->profile, nullptr);
    d->page->onNavigation = [this](const QUrl& url, QWebEnginePage::NavigationType type,
                                   bool isMainFrame) {
        return d->onNavigation(url, type, isMainFrame);
    };
    d->page->onConsole = [this](const QString& message) { return d->onConsole(message); };
    QWebEngineSettings* settings = d->page->settings();
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);

    QWebEngineScript script;
    script.setName(QStringLiteral("parvex-runtime"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(runtimeSource());
    d->page->scripts().insert(script);

    d->view = new QWebEngineView(this);
    d->view->setPage(d->page);
    d->view->setContextMenuPolicy(Qt::NoContextMenu);
    d->view->setAcceptDrops(false); // a dropped link would navigate
    setFocusProxy(d->view);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(d->view);

    connect(d->page, &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo& info) { d->onLoadingChanged(info); });
    connect(d->page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus, int) {
                d->onRenderProcessTerminated();
            });
}

HtmlView::~HtmlView() {
    d->destroying = true;
    d->wakeAll();
    disconnect(d->page, nullptr, this, nullptr);
    d->page->onNavigation = nullptr;
    d->page->onConsole = nullptr;
    // The page must go before its profile.
    delete d->view;
    d->view = nullptr;
    delete d->page;
    d->page = nullptr;
    delete d->profile;
    d->profile = nullptr;
}

void HtmlView::loadHtml(const QString& html) {
    const QString text = withCrLfLineEnds(html);
    if (!d->everLoaded) {
        // As the classic control does: a view without a document first goes to about:blank.
        d->page->load(QUrl(QStringLiteral("about:blank")));
    }
    const QString path = QStringLiteral("/%1").arg(++d->documentCount);
    d->handler->put(path, QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8());
    QUrl url;
    url.setScheme(QString::fromLatin1(kScheme));
    url.setHost(QString::fromLatin1(kDocumentHost));
    url.setPath(path);
    d->startLoad(url, true);
}

void HtmlView::navigate(const QString& address) {
    const QUrl url(address);
    if (!isLoadable(url)) {
        throw HtmlError(QStringLiteral("Can't navigate to \"%1\": not an address the view can load")
                            .arg(address)
                            .toStdString());
    }
    d->startLoad(url, url.scheme() == QLatin1String(kScheme));
}

int HtmlView::readyState() {
    if (!d->everLoaded)
        return 0;
    if (!d->loadPending)
        return 4;
    return d->pendingInteractive ? 3 : 1;
}

void HtmlView::waitUntilLoaded() {
    d->waitUntilLoaded();
}

void HtmlView::requireHtmlDocument() {
    d->document();
    d->call(QStringLiteral("check()"), QStringLiteral("reading the document"));
}

QString HtmlView::documentMarkup() {
    d->document();
    return d->call(QStringLiteral("markup()"), QStringLiteral("reading the document's markup"))
        .toString();
}

HtmlElement HtmlView::item(const QString& name, int index) {
    d->document();
    const QVariantList answer =
        d->call(QStringLiteral("item(%1,%2)").arg(jsString(name)).arg(index),
                QStringLiteral("looking up an element"))
            .toList();
    const int id = answer.value(1).toInt();
    if (id < 0)
        return {};
    return HtmlElement(this, answer.value(0).toString(), id);
}

QVariant HtmlView::evaluate(const QString& body, const QVariantList& args) {
    d->document();
    return d->call(QStringLiteral("ev(%1,%2)").arg(jsString(body), jsArray(args)),
                   QStringLiteral("running a script"));
}

bool HtmlView::print() {
    requireHtmlDocument();
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    bool accepted = false;
    if (d->printDialog) {
        accepted = d->printDialog(*printer);
    } else {
        QPrintDialog dialog(printer.get(), this);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted)
        return false;

    auto finished = std::make_shared<std::optional<bool>>();
    // The printer lives until the engine is done with it, even after a wait ran out.
    QMetaObject::Connection connection = connect(d->view, &QWebEngineView::printFinished, this,
                                                 [this, finished, printer](bool success) {
                                                     *finished = success;
                                                     d->wakeAll();
                                                 });
    d->view->print(printer.get());
    d->waitUntil([&] { return finished->has_value(); }, d->printTimeout);
    if (!finished->has_value()) {
        throw HtmlError(QStringLiteral("Printing did not finish within %1 s")
                            .arg(d->seconds(d->printTimeout))
                            .toStdString());
    }
    disconnect(connection);
    if (!**finished)
        throw HtmlError("Printing failed");
    return true;
}

void HtmlView::setPrintDialog(PrintDialog dialog) {
    d->printDialog = std::move(dialog);
}

void HtmlView::printToPdf(const QString& filePath) {
    requireHtmlDocument();
    auto finished = std::make_shared<std::optional<bool>>();
    const QMetaObject::Connection connection =
        connect(d->page, &QWebEnginePage::pdfPrintingFinished, this,
                [this, finished, filePath](const QString& path, bool success) {
                    if (path != filePath)
                        return;
                    *finished = success;
                    d->wakeAll();
                });
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                             QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    d->page->printToPdf(filePath, layout);
    d->waitUntil([&] { return finished->has_value(); }, d->printTimeout);
    if (!finished->has_value()) {
        throw HtmlError(QStringLiteral("Writing the PDF file \"%1\" did not finish within %2 s")
                            .arg(filePath, d->seconds(d->printTimeout))
                            .toStdString());
    }
    disconnect(connection);
    if (!**finished) {
        throw HtmlError(
            QStringLiteral("Could not write the PDF file \"%1\"").arg(filePath).toStdString());
    }
}

void HtmlView::setUserAgent(const QString& userAgent) {
    d->profile->setHttpUserAgent(userAgent);
}

QString HtmlView::userAgent() const {
    return d->profile->httpUserAgent();
}

void HtmlView::setWaitTimeout(int milliseconds) {
    d->waitTimeout = milliseconds;
}

int HtmlView::waitTimeout() const {
    return d->waitTimeout;
}

void HtmlView::setPrintTimeout(int milliseconds) {
    d->printTimeout = milliseconds;
}

void HtmlView::setNavigationHandler(NavigationHandler handler) {
    d->navigationHandler = std::move(handler);
}

QString HtmlView::canonicalAddress(const QString& address) {
    static const QRegularExpression form(QStringLiteral("^([A-Za-z][A-Za-z0-9+.\\-]*):(//)(.*)$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QStringList web = {QStringLiteral("http"), QStringLiteral("https"),
                                    QStringLiteral("ftp"),  QStringLiteral("file"),
                                    QStringLiteral("ws"),   QStringLiteral("wss")};
    const QRegularExpressionMatch match = form.match(address);
    if (!match.hasMatch())
        return address;
    const QString rest = match.captured(3);
    const bool isWeb = web.contains(match.captured(1).toLower());
    qsizetype end = rest.size();
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QChar c = rest[i];
        if (c == QLatin1Char('/') || (isWeb && (c == QLatin1Char('?') || c == QLatin1Char('#')))) {
            end = i;
            break;
        }
    }
    if (end < rest.size() && rest[end] == QLatin1Char('/'))
        return address;
    const qsizetype hostEnd = match.capturedStart(3) + end;
    return address.left(hostEnd) + QLatin1Char('/') + address.mid(hostEnd);
}

QWebEngineView* HtmlView::engineView() const {
    return d->view;
}

QVariant HtmlView::callElement(const HtmlElement& element, const QString& operation,
                               const QVariantList& args) {
    d->document();
    return d->call(QStringLiteral("c(\"%1\",%2,\"%3\",%4)")
                       .arg(element.documentToken_)
                       .arg(element.id_)
                       .arg(operation, jsArray(args)),
                   operation);
}

// ---------------------------------------------------------------------------------------

HtmlElement::HtmlElement(HtmlView* view, QString documentToken, int id)
    : view_(view), documentToken_(std::move(documentToken)), id_(id) {}

QVariant HtmlElement::call(const QString& operation, const QVariantList& args) const {
    if (isNull())
        throw HtmlError("The element is none (an empty handle)");
    if (!view_)
        throw HtmlError("The element's view no longer exists");
    return view_->callElement(*this, operation, args);
}

HtmlElement HtmlElement::elementFrom(const QVariant& id) const {
    const int value = id.toInt();
    if (value < 0)
        return {};
    return HtmlElement(view_.data(), documentToken_, value);
}

QString HtmlElement::innerText() const {
    return call(QStringLiteral("text")).toString();
}

void HtmlElement::setInnerText(const QString& text) const {
    call(QStringLiteral("setText"), {text});
}

QString HtmlElement::innerHtml() const {
    return call(QStringLiteral("html")).toString();
}

void HtmlElement::setInnerHtml(const QString& markup) const {
    call(QStringLiteral("setHtml"), {markup});
}

QString HtmlElement::getAttribute(const QString& name) const {
    return call(QStringLiteral("attr"), {name}).toString();
}

void HtmlElement::setAttribute(const QString& name, const QString& value) const {
    call(QStringLiteral("setAttr"), {name, value});
}

void HtmlElement::setDisplay(const QString& display) const {
    call(QStringLiteral("display"), {display});
}

QString HtmlElement::value() const {
    return call(QStringLiteral("value")).toString();
}

HtmlCollection HtmlElement::collection(const QString& property) const {
    if (isNull())
        throw HtmlError("The element is none (an empty handle)");
    return HtmlCollection(*this, property);
}

HtmlCollection HtmlElement::rows() const {
    return collection(QStringLiteral("rows"));
}

HtmlElement HtmlElement::insertRow(int index) const {
    return elementFrom(call(QStringLiteral("insertRow"), {index}));
}

void HtmlElement::deleteRow(int index) const {
    call(QStringLiteral("deleteRow"), {index});
}

int HtmlElement::rowIndex() const {
    return call(QStringLiteral("rowIndex")).toInt();
}

HtmlCollection HtmlElement::cells() const {
    return collection(QStringLiteral("cells"));
}

HtmlElement HtmlElement::insertCell(int index) const {
    return elementFrom(call(QStringLiteral("insertCell"), {index}));
}

int HtmlCollection::length() const {
    return owner_.call(QStringLiteral("len"), {property_}).toInt();
}

HtmlElement HtmlCollection::item(int index) const {
    return owner_.elementFrom(owner_.call(QStringLiteral("at"), {property_, index}));
}
