#pragma once
// How the program waits for a data file that another copy is writing: an information box on
// each wait, and after ten waits the question whether the marker may be taken over; a marker
// whose holder is gone is taken over after a warning box.

#include "store/lock.h"

namespace braxol::ui {

class BoxLockPrompt : public LockPrompt {
public:
    void busy(const std::string& path, int attempt) override;
    bool takeOver(const std::string& path) override;
    void holderGone(const std::string& path, const ProcessIdentity& holder) override;
};

// Installs the message-box prompt for the whole program.
void UseLockMessageBoxes();

}  // namespace braxol::ui
