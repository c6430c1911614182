#pragma once
// The main window's client area: the background picture stretched to fill it.

#include <QPixmap>
#include <QWidget>

namespace braxol::app {

class Background : public QWidget {
    Q_OBJECT
public:
    explicit Background(QPixmap picture, QWidget* parent = nullptr)
        : QWidget(parent), picture_(std::move(picture)) {}
    bool hasPicture() const { return !picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

}  // namespace braxol::app
