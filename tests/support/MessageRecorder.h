#pragma once

#include "MessageBoxes.h"

#include <QString>
#include <QStringList>

#include <memory>

// Records the message boxes the program shows instead of showing them, and answers
// questions with a preset answer. Installed for its lifetime.
class MessageRecorder {
public:
    struct Shown {
        QString caption;
        QString text;
        MessageBoxes::Icon icon;
    };

    explicit MessageRecorder(bool answer = true);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const QList<Shown>& shown() const { return *shown_; }
    QStringList texts() const;
    void clear() { shown_->clear(); }

private:
    std::shared_ptr<QList<Shown>> shown_;
    std::unique_ptr<MessageBoxes> previous_;
};
