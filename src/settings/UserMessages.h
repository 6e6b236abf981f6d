// How the model layer asks the user something. The desktop program answers with message
// boxes, the command-line companion on the terminal, tests with a script.
#pragma once

#include <string>

namespace zorva {

// The kinds of message, by the buttons they offer, and the results they give.
enum class MsgKind {
    Info = 1,         // information, OK              -> 1
    YesNo = 2,        // question, Yes / No           -> 6 / 7
    YesNoCancel = 3,  // question, Yes / No / Cancel  -> 6 / 7 / 2
    RetryCancel = 22, // question, Retry / Cancel     -> 4 / 2
};
inline constexpr MsgKind kMsgInfo = MsgKind::Info;
inline constexpr MsgKind kMsgYesNo = MsgKind::YesNo;
inline constexpr MsgKind kMsgYesNoCancel = MsgKind::YesNoCancel;
inline constexpr MsgKind kMsgRetryCancel = MsgKind::RetryCancel;
inline constexpr int kResultOk = 1;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;
inline constexpr int kResultRetry = 4;
inline constexpr int kResultCancel = 2;

class UserMessages {
public:
    virtual ~UserMessages() = default;
    // Shows `text` under `caption` in the style of `kind` and returns the result above;
    // a value of no kind above shows nothing and returns 1.
    virtual int ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) = 0;
};

} // namespace zorva
