#include "telematic/modify_request_window.h"

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

TFMODPROT_RETE::TFMODPROT_RETE(RequestWindowContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      fields_(this, {true, true}),
      record_(NewRequest(kModificationRequest)) {
    setObjectName("FMODPROT_RETE");
    setWindowTitle(QStringLiteral("Modiifca Registro Telematico "));
    fields_.makeReadOnly({fields_.protocolDate(), fields_.protocol()});
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

TFMODPROT_RETE::~TFMODPROT_RETE() {
    ui::StopFieldExits(this);
}

void TFMODPROT_RETE::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) open();
}

void TFMODPROT_RETE::open() {
    saved_ = false;
    TMOVIMENTO shown = context_.chosen;
    TrimMovement(shown);
    fields_.show(shown);
    fields_.send()->setChecked(true);
    // The title is what a modification usually changes.
    fields_.title()->setFocus(Qt::OtherFocusReason);
}

void TFMODPROT_RETE::dateExit() {
    if (untouched()) return;
    if (!fields_.validFrom()->date()) ui::ReturnFocus(fields_.validFrom());
}

void TFMODPROT_RETE::familyExit() {
    if (untouched()) return;
    fields_.acceptedFamily();
}

bool TFMODPROT_RETE::checks() {
    const TMOVIMENTO& chosen = context_.chosen;
    record_ = NewRequest(kModificationRequest);
    record_.ANNPRO = chosen.ANNPRO;
    record_.NUMPRO = chosen.NUMPRO;
    record_.DATFLU = chosen.DATFLU;
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

void TFMODPROT_RETE::save() {
    try {
        if (AddModification(context_.folders.requestsFile(), context_.chosen.NUMOPE, record_))
            saved_ = true;
        else
            ui::Warn(this, kRequestGone);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    accept();
}

void OpenModificationRequest(QWidget* parent, RequestWindowContext context) {
    TFMODPROT_RETE window(context, parent);
    window.exec();
    if (window.sendAfter() && context.openRequestFlow) context.openRequestFlow(parent);
}

}  // namespace braxol::telematic
