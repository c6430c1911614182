#include "ui/lock_prompt_box.h"

#include "ui/seams.h"

namespace braxol::ui {

void BoxLockPrompt::busy(const std::string& path, int) {
    Inform(nullptr, QString::fromStdString(LockBusyMessage(path)), Severity::Information);
}

bool BoxLockPrompt::takeOver(const std::string& path) {
    const std::string yes = ButtonCaption(Answer::Yes).toStdString();
    return Ask(nullptr, QString::fromStdString(LockTakeOverQuestion(path, yes)), Buttons::YesNo,
               Severity::Warning) == Answer::Yes;
}

void BoxLockPrompt::holderGone(const std::string& path, const ProcessIdentity& holder) {
    Inform(nullptr, QString::fromStdString(LockHolderGoneMessage(path, holder)), Severity::Warning);
}

void UseLockMessageBoxes() {
    static BoxLockPrompt prompt;
    SetLockPrompt(&prompt);
}

}  // namespace braxol::ui
