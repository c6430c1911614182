#include "setup/folder_field.h"

#include <QDir>
#include <QFileInfo>

namespace braxol::setup {

QString NativeFileName(const QString& file) {
    return QDir::toNativeSeparators(file);
}

QString FolderOfFile(const QString& file) {
    return TypedFolder(QFileInfo(file).path());
}

QString TypedFolder(const QString& typed) {
    QString folder = QDir::toNativeSeparators(typed.trimmed());
    if (!folder.isEmpty() && !folder.endsWith(QDir::separator())) folder += QDir::separator();
    return folder;
}

}  // namespace braxol::setup
