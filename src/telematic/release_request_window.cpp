#include "telematic/release_request_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QShowEvent>

#include "store/io_error.h"
#include "telematic/register_requests.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::telematic {
namespace {

constexpr int kProposedFamily = 518;
const QString kProposedTitle = QStringLiteral("MOSTO di BIRRA");

}  // namespace

TFRICRETE::TFRICRETE(RequestWindowContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      fields_(this, {false, true}),
      record_(NewRequest(kReleaseRequest)) {
    setObjectName("FRICRETE");
    setWindowTitle(QStringLiteral("Richiesta rilascio Registro Telematico"));
    fields_.layOut();
    setTabOrder(fields_.validFrom(), fields_.family());
    setTabOrder(fields_.family(), fields_.title());
    setTabOrder(fields_.title(), fields_.send());
    setTabOrder(fields_.send(), fields_.confirm());
    setTabOrder(fields_.confirm(), fields_.leave());

    setFirstField(fields_.validFrom());
    countTypingIn({fields_.validFrom(), fields_.family(), fields_.title()});
    fields_.guardConfirmOnce();
    fields_.confirm()->setChecks([this] { return checks(); });
    fields_.confirm()->setSave([this] { save(); });
    ui::OnFieldExit(fields_.validFrom(), [this] { dateExit(); });
    ui::OnFieldExit(fields_.family(), [this] { familyExit(); });
}

TFRICRETE::~TFRICRETE() {
    ui::StopFieldExits(this);
}

void TFRICRETE::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) open();
}

void TFRICRETE::open() {
    saved_ = false;
    record_ = NewRequest(kReleaseRequest);
    fields_.validFrom()->setDate(ui::Today());
    fields_.family()->setValue(kProposedFamily);
    fields_.title()->setText(kProposedTitle);
    fields_.send()->setChecked(true);
    fields_.validFrom()->setFocus(Qt::OtherFocusReason);
    fields_.validFrom()->setCursorPosition(0);
}

void TFRICRETE::dateExit() {
    if (untouched()) return;
    if (!fields_.validFrom()->date()) ui::ReturnFocus(fields_.validFrom());
}

void TFRICRETE::familyExit() {
    if (untouched()) return;
    fields_.acceptedFamily();
}

bool TFRICRETE::checks() {
    record_ = NewRequest(kReleaseRequest);
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
    PadMovement(record_);
    return true;
}

void TFRICRETE::save() {
    try {
        AddRequest(context_.folders.requestsFile(), record_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    saved_ = true;
    accept();
}

void OpenReleaseRequest(QWidget* parent, RequestWindowContext context) {
    TFRICRETE window(context, parent);
    window.exec();
    if (window.sendAfter() && context.openRequestFlow) context.openRequestFlow(parent);
}

}  // namespace braxol::telematic
