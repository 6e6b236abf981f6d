// The program's message box: information, Yes/No and Retry/Cancel, with the results of the
// message kinds in UserMessages.h.
#pragma once

#include "settings/UserMessages.h"

#include <functional>
#include <string>
#include <vector>

namespace zorva {

// Shows `text` under `caption` (both UTF-8) in a box owned by the active window: Info
// OK → 1, YesNo → 6/7, YesNoCancel → 6/7/2 (Escape is Cancel), RetryCancel → 4/2; a value of
// no kind shows nothing and returns 1.
int ShowMsg(const std::string& caption, const std::string& text, MsgKind kind);

// Answers in place of the boxes while set, so that tests never wait on a modal box. Gets what
// would have been shown (a value of no kind is not) and returns the result.
using MessageScript =
    std::function<int(const std::string& caption, const std::string& text, MsgKind kind)>;
void SetMessageScript(MessageScript script);

// Installs a script for its lifetime: records every message and answers the questions from
// `answers`, No or Cancel when they run out; information boxes always give OK.
class ScriptedMessages {
public:
    struct Shown {
        std::string caption;
        std::string text;
        MsgKind kind = kMsgInfo;
    };

    explicit ScriptedMessages(std::vector<int> answers = {});
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    std::vector<Shown> shown;
    std::vector<int> answers;
};

} // namespace zorva
