#include "app/background.h"

#include <QPainter>

namespace braxol::app {

void Background::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(rect(), picture_);
}

}  // namespace braxol::app
