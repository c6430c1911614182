#include "artwork/artwork.h"

namespace braxol::artwork {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/braxol/icons/%1x%1/braxol.png").arg(size),
                     QSize(size, size));
    return icon;
}

QPixmap BackgroundPicture() {
    return QPixmap(QStringLiteral(":/braxol/sfondo.png"));
}

}  // namespace braxol::artwork
