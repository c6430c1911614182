#pragma once
// Files of fixed-size records without header: record k at byte k times the record size.
// A file is read whole, changed in memory and replaced whole (see safe_file.h). A file whose
// size is not a whole number of records is reported and never written.

#include <cstring>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "safe_file.h"

namespace braxol {

// The raw bytes of a record file, checked to hold whole records. A missing file is created
// empty when `create` is set (the program's "open or create") and reads as empty otherwise.
std::string ReadRecordBytes(const fs::path& path, std::size_t recordSize, bool create);

// Reads a record file straight into memory that `place(count)` provides for `count` records.
void ReadRecordsInto(const fs::path& path, std::size_t recordSize, bool create,
                     const std::function<void*(std::size_t count)>& place);

// Throws DamagedFileError when an existing file does not hold whole records.
void RequireWholeRecords(const fs::path& path, std::size_t recordSize);

template <class T>
std::vector<T> ReadRecords(const fs::path& path, bool create = true) {
    std::vector<T> records;
    ReadRecordsInto(path, sizeof(T), create, [&](std::size_t count) -> void* {
        records.reserve(count + 4);  // room for the few records an operation adds
        records.resize(count);
        return records.data();
    });
    return records;
}

// Replaces the file with these records, safely. Refuses to overwrite a damaged file.
template <class T>
void WriteRecords(const fs::path& path, std::span<const T> records,
                  FileAccess access = FileAccess::Shared, OldFile old = OldFile::MayBeMissing) {
    RequireWholeRecords(path, sizeof(T));
    ReplaceFileContent(
        path, std::string_view(reinterpret_cast<const char*>(records.data()), records.size_bytes()),
        access, old);
}

// Rebuilds a working file of the temporary folder with these records. Such a file is only a
// hand-over between windows, remade on every use: whatever it held, damaged or not, is
// replaced.
template <class T>
void RebuildWorkingFile(const fs::path& path, std::span<const T> records) {
    ReplaceFileContent(path, std::string_view(reinterpret_cast<const char*>(records.data()),
                                              records.size_bytes()));
}

// An open record file: its records in memory, in file order. Changes reach the disk, whole,
// on save().
template <class T>
class RecordFile {
public:
    static RecordFile OpenOrCreate(const fs::path& path) {
        RecordFile f;
        f.path_ = path;
        f.records_ = ReadRecords<T>(path, true);
        return f;
    }

    const fs::path& path() const { return path_; }
    std::vector<T>& records() { return records_; }
    const std::vector<T>& records() const { return records_; }
    std::size_t size() const { return records_.size(); }

    // Writes a changed record back at its position.
    void RewriteInPlace(std::size_t position, const T& record) { records_.at(position) = record; }
    // Writes the record at the position; the following records move one place towards the end.
    void InsertAt(std::size_t position, const T& record) {
        records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(position), record);
    }
    void RemoveAt(std::size_t position) {
        records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(position));
    }
    // The file was there when it was read (opened or created): one that vanished meanwhile is
    // reported, not created anew.
    void save(FileAccess access = FileAccess::Shared) const {
        WriteRecords<T>(path_, records_, access, OldFile::MustExist);
    }

private:
    fs::path path_;
    std::vector<T> records_;
};

}  // namespace braxol
