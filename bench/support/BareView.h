#pragma once

#include <QString>
#include <QVariant>

class QWebEngineView;

// The bare engine the benchmarks compare against: a plain QWebEngineView, a page loaded
// with setHtml and waited for until loadFinished, a script run with runJavaScript and
// waited for in a local event loop.
class BareView {
public:
    BareView();
    ~BareView();
    BareView(const BareView&) = delete;
    BareView& operator=(const BareView&) = delete;

    // Throws when the engine reports a failed load.
    void load(const QString& html);
    QVariant run(const QString& script);

private:
    QWebEngineView* view_;
};
