#include "settings/ui/ShowMsg.h"

#include "settings/UserMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace zorva {

namespace {

MessageScript& Script() {
    static MessageScript script;
    return script;
}

} // namespace

void SetMessageScript(MessageScript script) {
    Script() = std::move(script);
}

int ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) {
    if (kind != kMsgInfo && kind != kMsgYesNo && kind != kMsgYesNoCancel && kind != kMsgRetryCancel)
        return kResultOk;
    if (Script()) return Script()(caption, text, kind);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromUtf8(caption));
    box.setText(QString::fromUtf8(text));
    switch (kind) {
    case kMsgInfo:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return kResultOk;
    case kMsgYesNo:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? kResultYes : kResultNo;
    case kMsgYesNoCancel: {
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        // Escape and the close box stop the command, as Cancel does.
        box.setEscapeButton(QMessageBox::Cancel);
        const int pressed = box.exec();
        return pressed == QMessageBox::Yes  ? kResultYes
               : pressed == QMessageBox::No ? kResultNo
                                            : kResultCancel;
    }
    default:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        return box.exec() == QMessageBox::Retry ? kResultRetry : kResultCancel;
    }
}

ScriptedMessages::ScriptedMessages(std::vector<int> scripted) : answers(std::move(scripted)) {
    SetMessageScript([this](const std::string& caption, const std::string& text, MsgKind kind) {
        shown.push_back({caption, text, kind});
        if (kind == kMsgInfo) return kResultOk;
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        }
        return kind == kMsgRetryCancel ? kResultCancel : kResultNo;
    });
}

ScriptedMessages::~ScriptedMessages() {
    SetMessageScript({});
}

} // namespace zorva
