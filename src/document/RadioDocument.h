// The radio document: the one owner of an image (with the model and band state derived from
// it), its file name, its undo history and whether the file holds it. Windows change the image
// only through it and show what it announces: every change, whoever made it, is told by what
// it touched, so an open window never shows, nor stores back, what is no longer there.
#pragma once

#include "codec/OptionCodes.h"
#include "core/ImageChanges.h"
#include "document/ImageHistory.h"

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zorva {

class TALL;
class TMacList;

class RadioDocument : public QObject {
    Q_OBJECT

public:
    // `state` holds the image (and the program's settings around it); the document is its
    // only writer from now on.
    RadioDocument(TALL& state, const TMacList& models, QObject* parent = nullptr);
    ~RadioDocument() override;

    const TALL& State() const { return all_; }
    const TMacList& Models() const { return models_; }

    // --- Changes of the user's: one undo step each, announced ---
    using Edit = std::function<void(TALL&)>;
    // Runs `edit` on the image; what it changed becomes one step named `step` and is
    // announced. An exception from `edit` puts the image back as it was and goes on to the
    // caller. Returns whether anything changed.
    bool Change(const QString& step, const Edit& edit);
    // One channel field stored through the channel codec; `text` comes back normalised.
    // Throws ConversionError for a text that should be a number (the record stays as it was).
    bool SetChannelField(const QString& step, int channel, int field, std::string& text);
    bool WriteSetting(const QString& step, SettingField field, int code);

    // --- A new image: every view shows it anew, the history starts again ---
    // A new image of the document's model, with no file.
    void NewImage();
    // The image state of the data file at `path`, read on a copy of this state: the file
    // holds it.
    void TakeFile(const ImageState& opened, const std::string& path);
    // The file at `path` now holds the image; it becomes the image's file.
    void Saved(const std::string& path);
    // The image state of a completed read (made on a copy of this state): one step named
    // `step`, so that it can be undone; the image has no file any more.
    void TakeRead(const ImageState& read, const QString& step);
    // A new image of the model the model dialog chose (its state in `chosen`): as New, a step
    // back to the image it replaced, saved as New is.
    void TakeNewModel(const ImageState& chosen, const QString& step);
    // The write time a write stamped: a change of the image that is no step of the user's.
    void TakeWriteTime(const ImageState& written);

    // --- The history ---
    bool Modified() const;
    const ImageHistory& History() const { return history_; }
    // A new history from the image as it is; unsaved changes stay marked as unsaved.
    void ForgetHistory();
    void Undo();
    void Redo();

    // --- The file ---
    const std::string& FileName() const { return fileName_; }

    // --- The channel the channel windows are on (1..ChannelCount) ---
    int CurrentChannel() const;
    void SetCurrentChannel(int channel);
    // --- The channels whose rows the channel table has selected (first, last; 0, 0 for none
    // beyond the current one): the range other windows start from ---
    void SetSelectedRange(int first, int last);
    std::pair<int, int> SelectedRange() const { return selected_; }
    // --- The columns the channel table hides: the user's setting, not the image's (no step) ---
    void SetHiddenFields(std::vector<int> fields);

signals:
    void channelsChanged(int first, int last);
    void vfoChanged();
    void fmChanged();
    // The function settings, DTMF codes and radio information: every byte not of the above.
    void settingsChanged();
    // A new image (another model or band layout, New, Open, a read): every part is new.
    void imageReplaced();
    void modifiedChanged(bool modified);
    void fileNameChanged();
    void currentChannelChanged(int channel);
    // The steps that can be undone or redone changed.
    void historyChanged();

private:
    std::pair<int, int> selected_{0, 0};
    void Announce(const ImageChanges& changes);
    void Replaced(const std::string& fileName);
    void SetFileName(const std::string& fileName);
    void ClampCurrentChannel();

    TALL& all_;
    const TMacList& models_;
    ImageHistory history_;
    std::string fileName_;
    bool modified_ = false;
};

} // namespace zorva
