#pragma once
// The one error type of input/output failures: the file concerned and the system's reason.
// Windows show italianMessage() in their error box.

#include <stdexcept>
#include <string>

namespace braxol {

class IoError : public std::runtime_error {
public:
    IoError(std::string path, std::string reason);
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }
    // "Errore di lettura/scrittura sul file <path>: <reason>"
    std::string italianMessage() const;

private:
    std::string path_;
    std::string reason_;
};

// A record file whose size is not a whole number of records. It is never written.
class DamagedFileError : public IoError {
public:
    DamagedFileError(std::string path, long long size, std::size_t recordSize);
    long long size() const { return size_; }

private:
    long long size_;
};

// The system's text for errno, in Italian where the program knows it.
std::string ReasonFromErrno(int err);

}  // namespace braxol
