#pragma once

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>
#include <stdexcept>

class QPrinter;
class QWebEngineView;
class HtmlView;

// A document operation that failed: no HTML document, a handle from an earlier document,
// a script error, a wait that ran out of time.
class HtmlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class HtmlCollection;

// Handle of one element of a view's document. It stays bound to the document it was
// taken from: once the view holds another document, every call on it throws HtmlError
// and never touches the new document. A default-made handle is null ("none").
class HtmlElement {
public:
    HtmlElement() = default;
    bool isNull() const { return id_ < 0; }
    explicit operator bool() const { return !isNull(); }

    QString innerText() const;
    void setInnerText(const QString& text) const;
    QString innerHtml() const;
    void setInnerHtml(const QString& markup) const;
    QString getAttribute(const QString& name) const;
    void setAttribute(const QString& name, const QString& value) const;
    // style.display: "none", "block", or empty for the default.
    void setDisplay(const QString& display) const;
    // Drop-down: value of the selected option.
    QString value() const;

    // Tables and rows.
    HtmlCollection rows() const;
    HtmlElement insertRow(int index) const;
    void deleteRow(int index) const;
    int rowIndex() const;
    HtmlCollection cells() const;
    HtmlElement insertCell(int index) const;

private:
    friend class HtmlView;
    friend class HtmlCollection;
    HtmlElement(HtmlView* view, QString documentToken, int id);
    QVariant call(const QString& operation, const QVariantList& args = {}) const;
    HtmlElement elementFrom(const QVariant& id) const;
    HtmlCollection collection(const QString& property) const;

    // Guarded: a handle that outlives its view throws HtmlError instead of crashing.
    QPointer<HtmlView> view_;
    QString documentToken_;
    int id_ = -1;
};

// A live collection of an element (its table rows or its row cells).
class HtmlCollection {
public:
    int length() const;
    HtmlElement item(int index) const; // null when out of range

private:
    friend class HtmlElement;
    HtmlCollection(HtmlElement owner, QString property)
        : owner_(std::move(owner)), property_(std::move(property)) {}
    HtmlElement owner_;
    QString property_;
};

// A widget around a QWebEngineView offering the document operations the program needs,
// synchronous for the caller. Waits are bounded and user input stays queued during them.
//
// Every navigation that a page starts (links, assignments to window.location, form
// buttons) is reported to the navigation handler before it happens, with the address as
// the page wrote it, in canonical form: an address with nothing after its host part gets
// a "/" appended ("goback://" gives "goback:///"). The handler runs from the event loop,
// never inside the engine's callback, so it may use the view synchronously. A cancelled
// navigation leaves the document as it was; an accepted one is then carried out where the
// engine can load it (web addresses, about:blank); any other address (a command address
// nobody took) goes nowhere: never to the desktop, never to an error page. The view's own
// loads (loadHtml, navigate) are not reported.
//
// How (HtmlViewRuntime.js, injected into every document at its creation): the page
// reports the raw text of links, form actions and location assignments in inline event
// handlers, and stops them; what escapes that (a <script>'s own assignment, <body onload>,
// meta refresh, form.submit(), history) the engine's navigation hook cancels and reports
// with the engine's address, which is lossy (QUrl lower-cases scheme and host, rewrites a
// numeric host as IPv4, loses a host with spaces); about: addresses, which the hook never
// sees, the page's Navigation API catches.
class HtmlView : public QWidget {
    Q_OBJECT
public:
    using NavigationHandler = std::function<void(const QString& address, bool& cancel)>;
    using PrintDialog = std::function<bool(QPrinter& printer)>;

    // Registers the URL scheme the views load documents from. Must run before the
    // QApplication is made.
    static void registerSchemes();

    explicit HtmlView(QWidget* parent = nullptr);
    ~HtmlView() override;

    // Replaces the document by `html` (its lines rejoined with CR LF). Any size.
    // Returns before loading ends; a later document operation acts on the new document.
    void loadHtml(const QString& html);
    // Goes to an address (the program uses "about:blank").
    void navigate(const QString& address);

    // 0 to 4 as the classic ready states: 0 no document, 1 loading, 3 interactive (the
    // pending document is parsed), 4 complete. Does not wait. Document operations wait
    // for 4 by themselves.
    int readyState();
    // Waits until the pending load (if any) has finished.
    void waitUntilLoaded();

    // Throws HtmlError("It's not html document") when the view holds no HTML document.
    void requireHtmlDocument();
    // innerHTML of the document's root element, as the live document stands.
    QString documentMarkup();
    // The index-th element (from 0) whose id or name is `name`; null when there is none.
    HtmlElement item(const QString& name, int index = 0);

    // Runs `body` as the body of a function in the page, with `args` as its arguments
    // (arguments[0] ...), and returns its result: one round trip. For commands that read
    // or write many elements at once.
    QVariant evaluate(const QString& body, const QVariantList& args = {});

    // The print command: shows the print dialog (replaceable for tests) and returns when
    // printing has finished. Returns false when the dialog was cancelled.
    bool print();
    void setPrintDialog(PrintDialog dialog);
    // Writes the document to a PDF file whose text stays text.
    void printToPdf(const QString& filePath);

    void setUserAgent(const QString& userAgent);
    QString userAgent() const;

    // Bound of every wait for a script's result or a document load (default 20 s), and of
    // the wait for printing (default 10 min, the user may print many pages).
    void setWaitTimeout(int milliseconds);
    int waitTimeout() const;
    void setPrintTimeout(int milliseconds);

    void setNavigationHandler(NavigationHandler handler);

    // The address in canonical form: "/" appended when nothing follows the host part.
    // For the web's schemes (http, https, ftp, file, ws, wss) the host part ends at the
    // first "/", "?" or "#"; for every other scheme (the program's command addresses, whose
    // "host" is a command word or a product kind) only at the first "/", so that a kind
    // holding "?" or "#" still arrives unchanged with a "/" after it.
    static QString canonicalAddress(const QString& address);
    // The URL scheme of the program's own documents ("parvex").
    static QString documentScheme();

    QWebEngineView* engineView() const;

signals:
    // A document of the program's own has finished loading.
    void documentLoaded();

private:
    friend class HtmlElement;
    friend class HtmlCollection;
    QVariant callElement(const HtmlElement& element, const QString& operation,
                         const QVariantList& args = {});

    struct Impl;
    std::unique_ptr<Impl> d;
};
