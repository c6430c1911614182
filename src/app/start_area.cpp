#include "app/start_area.h"

#include <QAction>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <functional>

#include "app/background.h"
#include "app/main_window.h"
#include "app/menu_layout.h"
#include "artwork/artwork.h"
#include "store/io_error.h"
#include "store/paths.h"
#include "ui/seams.h"

namespace braxol::app {
namespace {

constexpr int kActionRole = Qt::UserRole;

// The list of steps: a click on a step or Enter opens it. Opening waits for the step's window
// to close, and a double click reaches that window, not the list.
class StepList : public QListWidget {
public:
    StepList(std::function<void(const QListWidgetItem*)> open, QWidget* parent)
        : QListWidget(parent), open_(std::move(open)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && currentItem()) {
            open_(currentItem());
            return;
        }
        QListWidget::keyPressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QListWidget::mouseReleaseEvent(event);
        if (event->button() != Qt::LeftButton) return;
        if (const QListWidgetItem* item = itemAt(event->position().toPoint())) open_(item);
    }

private:
    std::function<void(const QListWidgetItem*)> open_;
};

// The brewer's own picture of the work folder, found whatever its letter case.
QPixmap FolderPicture(const WorkFolders& folders) {
    try {
        const std::filesystem::path file = ResolvePath(folders.root / "BRAXOL.jpg");
        if (PathExists(file)) return QPixmap(QString::fromStdString(file.string()));
    } catch (const IoError&) {
        // A picture that cannot be reached is no picture: the program's own stands in.
    }
    return {};
}

Background* MakeBackground(const WorkFolders& folders, QWidget* parent) {
    QPixmap own = FolderPicture(folders);
    auto* background =
        own.isNull() ? new Background(artwork::BackgroundPicture(), Background::Fit::Cover, parent)
                     : new Background(std::move(own), Background::Fit::Stretch, parent);
    background->setObjectName("SFONDO");
    return background;
}

}  // namespace

StartArea::StartArea(TFPRINCIPALE& main)
    : QStackedWidget(&main),
      main_(main),
      guide_(new QWidget(this)),
      steps_(new StepList([this](const QListWidgetItem* item) { open(item); }, guide_)),
      background_(MakeBackground(main.state().folders, this)) {
    setObjectName("AREA");
    guide_->setObjectName("GUIDA");
    steps_->setObjectName("PASSI");

    auto* title = new QLabel("Per cominciare", guide_);
    title->setObjectName("LTITOLOGUIDA");
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    title->setFont(big);
    auto* intro = new QLabel(
        "Prima di registrare le produzioni compilate i dati qui sotto. Un clic su una voce (o "
        "Invio) apre la finestra in cui si compila; la voce viene spuntata appena è completa.",
        guide_);
    intro->setWordWrap(true);

    for (const SetupStep& step : SetupSteps()) {
        const QAction* action = main.action(step.action);
        if (!action || !action->isEnabled()) continue;  // its window is not there yet
        auto* item = new QListWidgetItem(
            QString::fromUtf8(step.caption) + "\n    Dal menu: " + MenuPath(step.action), steps_);
        item->setData(kActionRole, QString::fromUtf8(step.action));
        item->setCheckState(Qt::Unchecked);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);  // ticked by the files only
        shown_.push_back(step);
    }
    steps_->setSpacing(3);
    steps_->setCursor(Qt::PointingHandCursor);
    // As tall as its steps: a list this short needs no scrolling.
    steps_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    steps_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (steps_->count() > 0)
        steps_->setFixedHeight(steps_->count() *
                                   (steps_->sizeHintForRow(0) + 2 * steps_->spacing()) +
                               2 * steps_->frameWidth());

    auto* icon = new QLabel(guide_);
    icon->setPixmap(artwork::ProgramIcon().pixmap(48, 48));
    auto* heading = new QHBoxLayout;
    heading->addWidget(icon);
    heading->addWidget(title, 1);
    auto* panel = new QVBoxLayout;
    panel->addStretch(1);
    panel->addLayout(heading);
    panel->addWidget(intro);
    panel->addSpacing(8);
    panel->addWidget(steps_);
    panel->addStretch(2);
    auto* centred = new QHBoxLayout(guide_);
    centred->addStretch(1);
    centred->addLayout(panel, 4);
    centred->addStretch(1);
    guide_->setAutoFillBackground(true);
    QPalette warm = guide_->palette();
    warm.setColor(QPalette::Window, QColor(0xf7, 0xec, 0xd6));
    guide_->setPalette(warm);

    addWidget(guide_);
    addWidget(background_);
    refresh();
}

void StartArea::refresh() {
    const double today = ui::Today();
    int firstOpen = -1;
    for (int row = 0; row < steps_->count(); ++row) {
        const bool done = shown_[row].done(main_.state().folders, today);
        steps_->item(row)->setCheckState(done ? Qt::Checked : Qt::Unchecked);
        if (!done && firstOpen < 0) firstOpen = row;
    }
    if (firstOpen < 0) {
        setCurrentWidget(background_);
        setFocusProxy(nullptr);
        return;
    }
    setCurrentWidget(guide_);
    setFocusProxy(steps_);
    steps_->setCurrentRow(firstOpen);
}

void StartArea::open(const QListWidgetItem* item) {
    const QString name = item->data(kActionRole).toString();
    if (QAction* action = main_.action(name)) action->trigger();
}

}  // namespace braxol::app
