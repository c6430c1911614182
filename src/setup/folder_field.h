#pragma once
// Paths chosen in a file dialog, as the configuration stores them: with the platform's
// separators, and a folder always ending with one.

#include <QString>

namespace braxol::setup {

// The chosen file's full name with the platform's separators.
QString NativeFileName(const QString& file);
// The folder that holds the chosen file, ending with the platform's separator.
QString FolderOfFile(const QString& file);

}  // namespace braxol::setup
