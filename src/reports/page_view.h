#pragma once
// The pages of a report on screen, one at a time, zoomed to show the whole page or to fill the
// width; each page in its own orientation. Page Up and Page Down turn the pages.

#include <QScrollArea>

#include "reports/output.h"

namespace braxol::reports {

class PageView : public QScrollArea {
    Q_OBJECT
public:
    PageView(const Report& report, Zoom zoom, QWidget* parent = nullptr);

    int pageCount() const;
    int currentPage() const { return page_; }  // from 1
    // Shows the page, kept within the first and the last.
    void setCurrentPage(int page);
    void setZoom(Zoom zoom);
    Zoom zoom() const { return zoom_; }
    // The sheet of the page shown, in pixels of the screen.
    QSize sheetSize() const;

signals:
    void pageChanged(int page);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Sheet;
    void fit();

    const Report& report_;
    Sheet* sheet_;
    int page_ = 1;
    Zoom zoom_ = Zoom::WholePage;
};

}  // namespace braxol::reports
