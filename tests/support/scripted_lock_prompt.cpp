#include "support/scripted_lock_prompt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace braxol::test {

void ScriptedLockPrompt::busy(const std::string& path, int attempt) {
    calls_.push_back({Call::Busy, path, attempt});
    lastAttempt_ = attempt;
    if (attempt > maxWaits_) {
        ADD_FAILURE() << "the lock marker of " << path << " was still there after " << maxWaits_
                      << " waits";
        throw std::runtime_error("lock wait abandoned by the test");
    }
    if (onBusy_) onBusy_(path, attempt);
}

bool ScriptedLockPrompt::takeOver(const std::string& path) {
    calls_.push_back({Call::TakeOver, path, lastAttempt_});
    if (!answers_.empty()) {
        const bool answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    if (!failUnplanned_) return false;
    ADD_FAILURE() << "unexpected take-over question for " << path << " after wait " << lastAttempt_;
    throw std::runtime_error("unexpected take-over question");
}

void ScriptedLockPrompt::holderGone(const std::string& path, const ProcessIdentity& holder) {
    calls_.push_back({Call::HolderGone, path, static_cast<int>(holder.pid)});
}

int ScriptedLockPrompt::busyCount() const {
    return static_cast<int>(std::count_if(calls_.begin(), calls_.end(),
                                          [](const Call& c) { return c.kind == Call::Busy; }));
}

int ScriptedLockPrompt::takeOverCount() const {
    return static_cast<int>(std::count_if(calls_.begin(), calls_.end(),
                                          [](const Call& c) { return c.kind == Call::TakeOver; }));
}

}  // namespace braxol::test
