#pragma once
// The lock marker of a data file: the empty file "<name>$" beside it, present while a copy of
// the program writes the file. It is taken by an exclusive create, so two copies sharing a
// folder cannot both hold it.

#include <filesystem>
#include <string>

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

fs::path LockMarkerPath(const fs::path& path);

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
