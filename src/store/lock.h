#pragma once
// The lock marker of a data file: the file "<name>$" beside it, present while a copy of the
// program writes the file. It is taken by an exclusive create, so two copies sharing a folder
// cannot both hold it. This program writes into it who holds it (process, machine, boot, start
// time); a marker of a copy that is certainly gone from this machine is taken
// over after one notice. An empty marker (older copies, the Windows program) or one of another
// machine is waited for as always: the waits, then the take-over question.

#include <filesystem>
#include <optional>
#include <string>

#include "process_identity.h"

namespace braxol {

namespace fs = std::filesystem;

// How a writer waits for a marker held by someone else. Windows answer with message boxes;
// tests and the command-line tool script it.
class LockPrompt {
public:
    virtual ~LockPrompt() = default;
    // The marker is there: tell the user and wait for them (an information box with OK).
    virtual void busy(const std::string& path, int attempt) = 0;
    // After ten waits: may the marker be taken over? (Yes/No)
    virtual bool takeOver(const std::string& path) = 0;
    // The marker's holder is gone (LockHolderGoneMessage): told once, then the marker is taken
    // over. Nothing to tell by default.
    virtual void holderGone(const std::string& path, const ProcessIdentity& holder);
};

// The prompt in use; without one set, a patient prompt that waits a fifth of a second per
// attempt, never takes over, and gives up with an IoError after half a minute.
LockPrompt& CurrentLockPrompt();
// Installs a prompt (nullptr restores the default); returns the previous one.
LockPrompt* SetLockPrompt(LockPrompt* prompt);

std::string LockBusyMessage(const std::string& path);
// The question names the button that takes the marker over as the user reads it ("Sì" in
// Italian message boxes).
std::string LockTakeOverQuestion(const std::string& path, const std::string& yesButton);

// The notice of a marker left by a copy that is no longer running.
std::string LockHolderGoneMessage(const std::string& path, const ProcessIdentity& holder);

fs::path LockMarkerPath(const fs::path& path);

// The text this process writes into its markers, and the holder a marker names: nothing for an
// empty marker, one it cannot read, or one without a process and a machine.
std::string LockMarkerText(const ProcessIdentity& holder);
std::optional<ProcessIdentity> ParseLockMarker(std::string_view text);
std::optional<ProcessIdentity> ReadLockHolder(const fs::path& marker);

// Waits, through the prompt, until the marker can be created, then holds it. Throws IoError
// when the marker cannot be created for another reason (read-only folder, no permission).
void LockDataFile(const fs::path& path);
// Removes the marker.
void UnlockDataFile(const fs::path& path);

// Holds the marker for the life of the object, released on every path out.
class FileLock {
public:
    explicit FileLock(fs::path path) : path_(std::move(path)) { LockDataFile(path_); }
    ~FileLock() { UnlockDataFile(path_); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    fs::path path_;
};

}  // namespace braxol
