// Helpers shared by the model tests.
#pragma once

#include "core/Maindb.h"
#include "settings/UserMessages.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace zorva::test {

struct RecordedMessage {
    std::string caption;
    std::string text;
    MsgKind kind = kMsgInfo;
};

// Records every message and answers questions from a script (kResultOk when it runs dry).
class RecordingMessages : public UserMessages {
public:
    int ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) override;

    std::vector<RecordedMessage> shown;
    std::deque<int> answers;
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder with its trailing separator, as ExeDir holds it.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }
    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::string path_;
};

// The state after start-up in a folder without settings or language files, and after the
// main window's first showing: a new image of the registered model.
std::unique_ptr<Maindb> MakeStartedDb();

// A state with the model defaults and the band ranges in effect but an image of all zeros,
// for tests of single records.
std::unique_ptr<Maindb> MakeBareDb();

std::string HexBytes(const uint8_t* bytes, int count);

// The text of a PDF file as `pdftotext -layout` (poppler-utils) reads it, UTF-8; pages end in
// a form feed. Ligatures are given as their letters.
std::string PdfText(const std::string& path);

} // namespace zorva::test
