#include "tables/table_context.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace braxol::tables {

QSize MaxWindowSize(const TableContext& context, const QWidget* widget) {
    QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    return {context.maxWidth > 0 ? context.maxWidth : available.width() - 50,
            context.maxHeight > 0 ? context.maxHeight : available.height() - 100};
}

}  // namespace braxol::tables
