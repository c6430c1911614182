#include "telematic/modify_request_window.h"

#include <QLineEdit>

#include "store/io_error.h"
#include "telematic/register_requests.h"
#include "ui/confirm_button.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::telematic {

TFMODPROT_RETE::TFMODPROT_RETE(RequestWindowContext context, QWidget* parent)
    : RequestWindow(std::move(context), {true, true}, parent) {
    setObjectName("FMODPROT_RETE");
    setWindowTitle(QStringLiteral("Modiifca Registro Telematico "));
    fields_.makeReadOnly({fields_.protocolDate(), fields_.protocol()});
    fields_.layOut();
    chainThrough({fields_.validFrom(), fields_.family(), fields_.title()});
    setFirstField(fields_.validFrom());
    countTypingIn({fields_.validFrom(), fields_.family(), fields_.title()});
    fields_.guardConfirmOnce();
    fields_.confirm()->setChecks([this] { return checks(); });
    fields_.confirm()->setSave([this] { save(); });
    checkRegisterFieldsOnExit();
}

void TFMODPROT_RETE::opened() {
    TMOVIMENTO shown = context_.chosen;
    TrimMovement(shown);
    fields_.show(shown);
    // The title is what a modification usually changes.
    fields_.title()->setFocus(Qt::OtherFocusReason);
}

bool TFMODPROT_RETE::checks() {
    const TMOVIMENTO& chosen = context_.chosen;
    record_ = NewRequest(kModificationRequest);
    record_.ANNPRO = chosen.ANNPRO;
    record_.NUMPRO = chosen.NUMPRO;
    record_.DATFLU = chosen.DATFLU;
    if (!readRegisterFields()) return false;
    PadMovement(record_);
    return true;
}

void TFMODPROT_RETE::save() {
    bool stored = false;
    try {
        stored = AddModification(context_.folders.requestsFile(), context_.chosen.NUMOPE, record_)
                     .has_value();
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    if (!stored) ui::Warn(this, kRequestGone);
    finish(stored);
}

}  // namespace braxol::telematic
