// How the model layer asks the user something. The desktop program answers with message
// boxes, the command-line companion on the terminal, tests with a script.
#pragma once

#include <string>

namespace zorva {

// Message kinds and their results.
inline constexpr int kMsgInfo = 1;         // information, OK           -> 1
inline constexpr int kMsgYesNo = 2;        // question, Yes / No        -> 6 / 7
inline constexpr int kMsgRetryCancel = 22; // question, Retry / Cancel -> 4 / 2
inline constexpr int kMsgYesNoCancel = 3;  // question, Yes / No / Cancel -> 6 / 7 / 2
inline constexpr int kResultOk = 1;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;
inline constexpr int kResultRetry = 4;
inline constexpr int kResultCancel = 2;

class UserMessages {
public:
    virtual ~UserMessages() = default;
    // Shows `text` under `caption` in the style of `kind` and returns the result above;
    // any other kind shows nothing and returns 1.
    virtual int ShowMsg(const std::string& caption, const std::string& text, int kind) = 0;
};

} // namespace zorva
