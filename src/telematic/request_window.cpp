#include "telematic/request_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "store/io_error.h"
#include "telematic/register_requests.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/text.h"

namespace braxol::telematic {

RequestWindow::RequestWindow(RequestWindowContext context, RequestFieldSet set, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      fields_(this, set),
      record_(BlankMovement()) {}

RequestWindow::~RequestWindow() {
    ui::StopFieldExits(this);
}

void RequestWindow::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (event->spontaneous()) return;
    saved_ = false;
    if (fields_.send()) fields_.send()->setChecked(true);
    opened();
}

void RequestWindow::chainThrough(std::initializer_list<QWidget*> fields) {
    QWidget* previous = nullptr;
    auto next = [&](QWidget* w) {
        if (!w) return;
        if (previous) setTabOrder(previous, w);
        previous = w;
    };
    for (QWidget* w : fields) next(w);
    next(fields_.send());
    next(fields_.confirm());
    next(fields_.leave());
}

void RequestWindow::checkRegisterFieldsOnExit() {
    ui::OnFieldExit(fields_.validFrom(), [this] {
        if (!untouched() && !fields_.validFrom()->date()) ui::ReturnFocus(fields_.validFrom());
    });
    ui::OnFieldExit(fields_.family(), [this] {
        if (!untouched()) fields_.acceptedFamily();
    });
}

bool RequestWindow::readRegisterFields() {
    ui::SetField(record_.ANNOTA, fields_.title()->text());
    const auto date = fields_.validFrom()->date();
    if (!date) {
        fields_.validFrom()->setFocus(Qt::OtherFocusReason);
        return false;
    }
    record_.DATMOV = *date;
    const auto family = fields_.acceptedFamily();
    if (!family) return false;
    record_.INTER1 = *family;
    return true;
}

void RequestWindow::addRequest() {
    try {
        AddRequest(context_.folders.requestsFile(), record_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    finish(true);
}

void RequestWindow::finish(bool stored) {
    saved_ = stored;
    accept();
}

}  // namespace braxol::telematic
