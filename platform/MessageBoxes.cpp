#include "MessageBoxes.h"

#include <QMessageBox>

namespace {

class QtMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget* parent, const QString& caption, const QString& text, Icon icon) override {
        QMessageBox box(toQt(icon), caption, text, QMessageBox::Ok, parent);
        box.exec();
    }

    bool askYesNo(QWidget* parent, const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                        parent);
        return box.exec() == QMessageBox::Yes;
    }

private:
    static QMessageBox::Icon toQt(Icon icon) {
        switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Error:
            return QMessageBox::Critical;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::None:
            break;
        }
        return QMessageBox::NoIcon;
    }
};

std::unique_ptr<MessageBoxes>& current() {
    static std::unique_ptr<MessageBoxes> boxes = std::make_unique<QtMessageBoxes>();
    return boxes;
}

} // namespace

MessageBoxes& messageBoxes() {
    return *current();
}

std::unique_ptr<MessageBoxes> setMessageBoxes(std::unique_ptr<MessageBoxes> boxes) {
    std::unique_ptr<MessageBoxes> previous = std::move(current());
    current() = boxes ? std::move(boxes) : std::make_unique<QtMessageBoxes>();
    return previous;
}

QString applicationCaption() {
    return QStringLiteral("2010Parvex");
}

void reportError(QWidget* parent, const QString& text) {
    messageBoxes().show(parent, applicationCaption(), text, MessageBoxes::Icon::Error);
}

void reportError(QWidget* parent, const std::exception& error) {
    reportError(parent, QString::fromUtf8(error.what()));
}
