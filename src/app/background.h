#pragma once
// The main window's client area once the configuration is complete: the background picture.
// The brewer's own BRAXOL.jpg is stretched to fill it, as it always was; the program's artwork
// keeps its proportions and fills the area, cut at the sides or at the top.

#include <QPixmap>
#include <QWidget>

namespace braxol::app {

class Background : public QWidget {
    Q_OBJECT
public:
    enum class Fit { Stretch, Cover };
    explicit Background(QPixmap picture, Fit fit = Fit::Stretch, QWidget* parent = nullptr)
        : QWidget(parent), picture_(std::move(picture)), fit_(fit) {}
    bool hasPicture() const { return !picture_.isNull(); }
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    Fit fit_;
};

}  // namespace braxol::app
