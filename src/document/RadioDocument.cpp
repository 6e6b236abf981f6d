#include "document/RadioDocument.h"

#include "codec/ChannelRecord.h"
#include "codec/DerivedFields.h"
#include "core/MacType.h"
#include "core/TAll.h"

#include <algorithm>

namespace zorva {

RadioDocument::RadioDocument(TALL& state, const TMacList& models, QObject* parent)
    : QObject(parent), all_(state), models_(models), history_(state) {
    modified_ = all_.Modified;
    all_.Modified.onChange = [this](bool modified) {
        if (modified == modified_) return;
        modified_ = modified;
        emit modifiedChanged(modified);
    };
    connect(&history_, &ImageHistory::changed, this, &RadioDocument::historyChanged);
}

RadioDocument::~RadioDocument() {
    all_.Modified.onChange = nullptr;
}

bool RadioDocument::Change(const QString& step, const Edit& edit) {
    const ImageState before = CaptureImageState(all_);
    try {
        edit(all_);
    } catch (...) {
        RestoreImageState(all_, before);
        throw;
    }
    const ImageChanges changes = CompareImageStates(before, CaptureImageState(all_));
    if (!changes.Any()) return false;
    history_.Record(step);
    Announce(changes);
    return true;
}

bool RadioDocument::SetChannelField(const QString& step, int channel, int field,
                                    std::string& text) {
    return Change(step, [&](TALL& all) { zorva::SetChannelField(all, channel, field, text); });
}

bool RadioDocument::WriteSetting(const QString& step, SettingField field, int code) {
    return Change(step, [&](TALL& all) { WriteField(all, field, code); });
}

void RadioDocument::NewImage() {
    NewCommandSequence(all_, models_, CurrentTimeText());
    RepairImage(all_);
    history_.Restart(true);
    Replaced({});
}

void RadioDocument::TakeFile(const ImageState& opened, const std::string& path) {
    RestoreImageState(all_, opened);
    // The repairs the image needs are made once, as it comes in, and count as what the file
    // holds.
    RepairImage(all_);
    history_.Restart(true);
    Replaced(path);
}

void RadioDocument::Saved(const std::string& path) {
    history_.MarkSaved();
    SetFileName(path);
}

void RadioDocument::TakeRead(const ImageState& read, const QString& step) {
    RestoreImageState(all_, read);
    RepairImage(all_);
    history_.Record(step, true);
    Replaced({});
}

void RadioDocument::TakeNewModel(const ImageState& chosen, const QString& step) {
    RestoreImageState(all_, chosen);
    NewCommandSequence(all_, models_, CurrentTimeText());
    RepairImage(all_);
    // One step back to the image it replaced; as after New, it counts as unchanged.
    history_.Record(step, true);
    history_.MarkSaved();
    Replaced({});
}

void RadioDocument::TakeWriteTime(const ImageState& written) {
    const ImageState before = CaptureImageState(all_);
    RestoreImageState(all_, written);
    history_.Absorb();
    Announce(CompareImageStates(before, written));
}

bool RadioDocument::Modified() const {
    return all_.Modified;
}

void RadioDocument::ForgetHistory() {
    history_.Restart(!Modified());
}

void RadioDocument::Undo() {
    const ImageState before = CaptureImageState(all_);
    history_.Undo();
    Announce(CompareImageStates(before, CaptureImageState(all_)));
}

void RadioDocument::Redo() {
    const ImageState before = CaptureImageState(all_);
    history_.Redo();
    Announce(CompareImageStates(before, CaptureImageState(all_)));
}

int RadioDocument::CurrentChannel() const {
    return std::clamp(all_.CurrentChannel, 1, std::max(1, all_.ChannelCount));
}

void RadioDocument::SetCurrentChannel(int channel) {
    channel = std::clamp(channel, 1, std::max(1, all_.ChannelCount));
    if (channel == all_.CurrentChannel) return;
    all_.CurrentChannel = channel;
    emit currentChannelChanged(channel);
}

void RadioDocument::SetSelectedRange(int first, int last) {
    selected_ = {first, last};
}

void RadioDocument::SetHiddenFields(std::vector<int> fields) {
    all_.HiddenFields = std::move(fields);
}

void RadioDocument::ClampCurrentChannel() {
    SetCurrentChannel(all_.CurrentChannel);
}

void RadioDocument::Announce(const ImageChanges& changes) {
    if (changes.replaced) {
        ClampCurrentChannel();
        emit imageReplaced();
        return;
    }
    if (changes.firstChannel) emit channelsChanged(changes.firstChannel, changes.lastChannel);
    if (changes.vfo) emit vfoChanged();
    if (changes.fm) emit fmChanged();
    if (changes.settings) emit settingsChanged();
}

void RadioDocument::Replaced(const std::string& fileName) {
    SetFileName(fileName);
    ClampCurrentChannel();
    emit imageReplaced();
}

void RadioDocument::SetFileName(const std::string& fileName) {
    if (fileName == fileName_) return;
    fileName_ = fileName;
    emit fileNameChanged();
}

} // namespace zorva
