#include "setup/folder_field.h"

#include <QDir>
#include <QFileInfo>

namespace braxol::setup {

QString NativeFileName(const QString& file) {
    return QDir::toNativeSeparators(file);
}

QString FolderOfFile(const QString& file) {
    QString folder = QDir::toNativeSeparators(QFileInfo(file).path());
    if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
    return folder;
}

}  // namespace braxol::setup
