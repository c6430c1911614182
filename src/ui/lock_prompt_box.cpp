#include "ui/lock_prompt_box.h"

#include "ui/seams.h"

namespace braxol::ui {

void BoxLockPrompt::busy(const std::string& path, int) {
    Inform(nullptr, QString::fromStdString(LockBusyMessage(path)), Severity::Information);
}

bool BoxLockPrompt::takeOver(const std::string& path) {
    return Ask(nullptr, QString::fromStdString(LockTakeOverQuestion(path)), Buttons::YesNo,
               Severity::Warning) == Answer::Yes;
}

void UseLockMessageBoxes() {
    static BoxLockPrompt prompt;
    SetLockPrompt(&prompt);
}

}  // namespace braxol::ui
