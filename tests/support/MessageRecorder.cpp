#include "MessageRecorder.h"

namespace {

class RecordingBoxes final : public MessageBoxes {
public:
    RecordingBoxes(std::shared_ptr<QList<MessageRecorder::Shown>> shown, bool answer)
        : shown_(std::move(shown)), answer_(answer) {}

    void show(QWidget*, const QString& caption, const QString& text, Icon icon) override {
        shown_->append({caption, text, icon});
    }

    bool askYesNo(QWidget*, const QString& caption, const QString& text) override {
        shown_->append({caption, text, Icon::Question});
        return answer_;
    }

private:
    std::shared_ptr<QList<MessageRecorder::Shown>> shown_;
    bool answer_;
};

} // namespace

MessageRecorder::MessageRecorder(bool answer)
    : shown_(std::make_shared<QList<Shown>>()),
      previous_(setMessageBoxes(std::make_unique<RecordingBoxes>(shown_, answer))) {}

MessageRecorder::~MessageRecorder() {
    setMessageBoxes(std::move(previous_));
}

QStringList MessageRecorder::texts() const {
    QStringList out;
    for (const Shown& s : *shown_) {
        out << s.text;
    }
    return out;
}
