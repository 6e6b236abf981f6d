// The history of the program's image: every change the user made, as steps that undo and
// redo. Windows change the image through the codec as before and then report it with
// ChangeImage(); a step keeps the state before and after its change, so undo and redo give
// back the exact bytes.
#pragma once

#include "core/ImageState.h"

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <memory>

class QWidget;

namespace zorva {

class TALL;

class ImageHistory : public QObject {
    Q_OBJECT

public:
    // Steps kept; the oldest go first.
    static constexpr int kStepLimit = 1000;

    // The first history made becomes the program's (TheImageHistory()) while it exists.
    explicit ImageHistory(TALL& all, QObject* parent = nullptr);
    ~ImageHistory() override;

    // What changed since the last step becomes one step named `step`; nothing when nothing
    // changed, unless the step is `always` made (a read is one step even when the radio held
    // what the image held). Modified then follows the history. Returns whether a step was
    // added.
    bool Record(const QString& step, bool always = false);
    // A new history starting from the image as it is; it counts as saved (Modified cleared)
    // or, with `saved` false, as a state no file holds (Modified set until the next save).
    void Restart(bool saved);
    // What a window repaired as it opened, as loading does, is part of the state the next
    // step starts from, not a step of its own.
    void Absorb();
    // The file now holds the image as it is.
    void MarkSaved();
    void Undo();
    void Redo();
    const QUndoStack& Stack() const { return stack_; }

    // Runs before an undo or a redo: a value still being typed is stored (and recorded) first.
    std::function<void()> beforeStep;
    // Runs after an undo or a redo put a state back, for the views to show it.
    std::function<void()> afterStep;

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

// The program's history while one exists, null otherwise.
ImageHistory* TheImageHistory();

// Every change to the image is reported here once made, named for the user ("Undo <step>").
// Without a history (a window on its own, the command-line companion) the image is only
// marked as modified.
void ChangeImage(const QString& step);
// The step is named by the window's caption.
void ChangeImage(const QWidget& window);

} // namespace zorva
