#include "reports/page_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "reports/output.h"

namespace braxol::reports {
namespace {

constexpr int kMargin = 12;  // pixels of background around the sheet

}  // namespace

// The sheet of paper: white, with the page drawn on it at the sheet's scale.
class PageView::Sheet : public QWidget {
public:
    Sheet(const Report& report, QWidget* parent) : QWidget(parent), report_(report) {
        setObjectName("FOGLIO");
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void showPage(int page) {
        page_ = page;
        update();
    }
    QSizeF points() const { return LayoutOf(current()).fullRect(QPageLayout::Point).size(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(width() / points().width(), height() / points().height());
        PaintPage(current(), painter);
    }

private:
    const Page& current() const { return report_.pages().at(static_cast<std::size_t>(page_ - 1)); }

    const Report& report_;
    int page_ = 1;
};

PageView::PageView(const Report& report, Zoom zoom, QWidget* parent)
    : QScrollArea(parent), report_(report), sheet_(new Sheet(report, this)), zoom_(zoom) {
    setObjectName("ANTEPRIMA");
    setBackgroundRole(QPalette::Dark);
    setAlignment(Qt::AlignCenter);
    setWidget(sheet_);
    setFocusPolicy(Qt::StrongFocus);
    fit();
}

int PageView::pageCount() const {
    return static_cast<int>(report_.pages().size());
}

void PageView::setCurrentPage(int page) {
    page = std::clamp(page, 1, pageCount());
    const bool changed = page != page_;
    page_ = page;
    sheet_->showPage(page_);
    fit();
    verticalScrollBar()->setValue(0);
    if (changed) emit pageChanged(page_);
}

void PageView::setZoom(Zoom zoom) {
    zoom_ = zoom;
    fit();
}

QSize PageView::sheetSize() const {
    return sheet_->size();
}

void PageView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    fit();
}

void PageView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageDown) {
        setCurrentPage(page_ + 1);
    } else if (event->key() == Qt::Key_PageUp) {
        setCurrentPage(page_ - 1);
    } else {
        QScrollArea::keyPressEvent(event);
    }
}

// Sizes the sheet to the zoom and to the room in the view.
void PageView::fit() {
    const QSizeF points = sheet_->points();
    QSize room = maximumViewportSize() - QSize(2 * kMargin, 2 * kMargin);
    double scale = room.width() / points.width();
    if (zoom_ == Zoom::WholePage) {
        scale = std::min(scale, room.height() / points.height());
    } else if (points.height() * scale > room.height()) {
        // The page is taller than the view: the vertical scroll bar takes some of the width.
        room.rwidth() -= verticalScrollBar()->sizeHint().width();
        scale = room.width() / points.width();
    }
    scale = std::max(scale, 0.05);
    sheet_->resize(static_cast<int>(points.width() * scale),
                   static_cast<int>(points.height() * scale));
}

}  // namespace braxol::reports
