// The undo history of a document's image: every change the user made, as steps that undo and
// redo. A step keeps the state before and after its change, so undo and redo give back the
// exact bytes.
#pragma once

#include "core/ImageState.h"

#include <QObject>
#include <QUndoStack>
#include <memory>

namespace zorva {

class TALL;

class ImageHistory : public QObject {
    Q_OBJECT

public:
    // Steps kept; the oldest go first.
    static constexpr int kStepLimit = 1000;

    explicit ImageHistory(TALL& all, QObject* parent = nullptr);

    // What changed since the last step becomes one step named `step`; nothing when nothing
    // changed, unless the step is `always` made (a read is one step even when the radio held
    // what the image held). Modified then follows the history. Returns whether a step was
    // added.
    bool Record(const QString& step, bool always = false);
    // A new history starting from the image as it is; it counts as saved (Modified cleared)
    // or, with `saved` false, as a state no file holds (Modified set until the next save).
    void Restart(bool saved);
    // A change that is no step of the user's (the write time a write stamps) becomes part of
    // the state the next step starts from.
    void Absorb();
    // The file now holds the image as it is.
    void MarkSaved();
    void Undo();
    void Redo();
    const QUndoStack& Stack() const { return stack_; }
    // The state the last step left (what the next step starts from).
    const ImageState& Current() const { return *current_; }

signals:
    // The steps that can be undone or redone changed.
    void changed();

private:
    friend class ImageStep;
    using State = std::shared_ptr<const ImageState>;

    void Apply(const State& state);
    void SyncModified();

    TALL& all_;
    QUndoStack stack_;
    State current_;
    bool applying_ = false;
};

} // namespace zorva
