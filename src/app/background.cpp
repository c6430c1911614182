#include "app/background.h"

#include <QPainter>

namespace braxol::app {

void Background::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    if (fit_ == Fit::Stretch) {
        painter.drawPixmap(rect(), picture_);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QSizeF shown = picture_.size();
    shown.scale(size(), Qt::KeepAspectRatioByExpanding);
    // Cut at the sides and at the top: the name at the foot stays in sight.
    const QRectF target((width() - shown.width()) / 2, height() - shown.height(), shown.width(),
                        shown.height());
    painter.drawPixmap(target, picture_, QRectF(picture_.rect()));
}

}  // namespace braxol::app
