#include "BareView.h"

#include <QEventLoop>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <stdexcept>

BareView::BareView() : view_(new QWebEngineView) {
    view_->resize(1024, 768);
    view_->show();
}

BareView::~BareView() {
    delete view_;
}

void BareView::load(const QString& html) {
    QEventLoop loop;
    bool ok = false;
    const auto connection =
        QObject::connect(view_, &QWebEngineView::loadFinished, &loop, [&](bool success) {
            ok = success;
            loop.quit();
        });
    view_->setHtml(html);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(connection);
    if (!ok) {
        throw std::runtime_error("the bare view did not load the page");
    }
}

QVariant BareView::run(const QString& script) {
    QEventLoop loop;
    QVariant result;
    bool done = false;
    view_->page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
        loop.quit();
    });
    if (!done) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return result;
}
