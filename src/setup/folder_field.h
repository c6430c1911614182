#pragma once
// Paths chosen in a file dialog or typed, as the configuration stores them: with the
// platform's separators, and a folder always ending with one (the flow files use it as the
// prefix of their names).

#include <QString>

namespace braxol::setup {

// The chosen file's full name with the platform's separators.
QString NativeFileName(const QString& file);
// The folder that holds the chosen file, ending with the platform's separator.
QString FolderOfFile(const QString& file);
// A folder typed by hand: trimmed, with the platform's separators, ending with one; an empty
// text stays empty.
QString TypedFolder(const QString& typed);

}  // namespace braxol::setup
