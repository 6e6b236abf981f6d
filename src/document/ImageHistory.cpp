#include "document/ImageHistory.h"

#include "core/TAll.h"

#include <QUndoCommand>
#include <utility>

namespace zorva {

// One change: the states on both sides of it. The change is already in the image when the
// step is pushed, so its first redo does nothing.
class ImageStep : public QUndoCommand {
public:
    ImageStep(ImageHistory& history, ImageHistory::State before, ImageHistory::State after,
              const QString& text)
        : QUndoCommand(text), history_(history), before_(std::move(before)),
          after_(std::move(after)) {}

    void undo() override { history_.Apply(before_); }
    void redo() override {
        if (std::exchange(pushed_, false)) return;
        history_.Apply(after_);
    }

private:
    ImageHistory& history_;
    ImageHistory::State before_;
    ImageHistory::State after_;
    bool pushed_ = true;
};

ImageHistory::ImageHistory(TALL& all, QObject* parent)
    : QObject(parent), all_(all),
      current_(std::make_shared<const ImageState>(CaptureImageState(all))) {
    stack_.setUndoLimit(kStepLimit);
    connect(&stack_, &QUndoStack::indexChanged, this, [this] {
        SyncModified();
        emit changed();
    });
    connect(&stack_, &QUndoStack::cleanChanged, this, &ImageHistory::SyncModified);
}

bool ImageHistory::Record(const QString& step, bool always) {
    if (applying_) return false;
    auto now = std::make_shared<const ImageState>(CaptureImageState(all_));
    if (!always && *now == *current_) {
        SyncModified();
        return false;
    }
    State before = std::exchange(current_, now);
    stack_.push(new ImageStep(*this, std::move(before), std::move(now), step));
    SyncModified();
    return true;
}

void ImageHistory::Restart(bool saved) {
    current_ = std::make_shared<const ImageState>(CaptureImageState(all_));
    stack_.clear();
    if (!saved) stack_.resetClean();
    SyncModified();
    emit changed();
}

void ImageHistory::Absorb() {
    if (!applying_) current_ = std::make_shared<const ImageState>(CaptureImageState(all_));
}

void ImageHistory::MarkSaved() {
    stack_.setClean();
    SyncModified();
}

void ImageHistory::Undo() {
    stack_.undo();
}

void ImageHistory::Redo() {
    stack_.redo();
}

void ImageHistory::Apply(const State& state) {
    applying_ = true;
    RestoreImageState(all_, *state);
    current_ = state;
    applying_ = false;
}

void ImageHistory::SyncModified() {
    all_.Modified = !stack_.isClean();
}

} // namespace zorva
