#pragma once
// A lock prompt that plays a script: it records every busy(), takeOver() and holderGone() call,
// runs an optional action on each wait (sleep, remove the marker, ...) and answers the take-over
// question as planned. A question that was not planned fails the test, unless the prompt was
// told to answer "No" to every unplanned question.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "store/lock.h"

namespace braxol::test {

class ScriptedLockPrompt : public LockPrompt {
public:
    struct Call {
        enum Kind { Busy, TakeOver, HolderGone } kind;
        std::string path;
        int attempt;  // the wait's number for Busy; the number of the last wait for TakeOver;
                      // the gone holder's process for HolderGone
        bool operator==(const Call&) const = default;
    };

    // Answers to the next take-over questions, in order.
    void planTakeOver(bool answer) { answers_.push_back(answer); }
    // Unplanned take-over questions are answered "No" instead of failing the test.
    void answerNoWhenUnplanned() { failUnplanned_ = false; }
    // Runs on every wait, after it is recorded.
    void onBusy(std::function<void(const std::string& path, int attempt)> action) {
        onBusy_ = std::move(action);
    }
    // More waits than this fail the test and abort the operation (default 1000), so that a
    // marker nobody removes cannot hang the test.
    void setMaxWaits(int waits) { maxWaits_ = waits; }

    void busy(const std::string& path, int attempt) override;
    bool takeOver(const std::string& path) override;
    void holderGone(const std::string& path, const ProcessIdentity& holder) override;

    const std::vector<Call>& calls() const { return calls_; }
    int busyCount() const;
    int takeOverCount() const;
    void clear() { calls_.clear(); }

private:
    std::vector<Call> calls_;
    std::deque<bool> answers_;
    std::function<void(const std::string&, int)> onBusy_;
    bool failUnplanned_ = true;
    int maxWaits_ = 1000;
    int lastAttempt_ = 0;
};

// Installs a prompt for the life of the object and restores the previous one after.
class ScopedLockPrompt {
public:
    explicit ScopedLockPrompt(LockPrompt& prompt) : previous_(SetLockPrompt(&prompt)) {}
    ~ScopedLockPrompt() { SetLockPrompt(previous_); }
    ScopedLockPrompt(const ScopedLockPrompt&) = delete;
    ScopedLockPrompt& operator=(const ScopedLockPrompt&) = delete;

private:
    LockPrompt* previous_;
};

}  // namespace braxol::test
