#include "telematic/release_request_window.h"

#include <QLineEdit>

#include "telematic/register_requests.h"
#include "ui/confirm_button.h"
#include "ui/fields.h"
#include "ui/seams.h"

namespace braxol::telematic {
namespace {

constexpr int kProposedFamily = 518;
const QString kProposedTitle = QStringLiteral("MOSTO di BIRRA");

}  // namespace

TFRICRETE::TFRICRETE(RequestWindowContext context, QWidget* parent)
    : RequestWindow(std::move(context), {false, true}, parent) {
    setObjectName("FRICRETE");
    setWindowTitle(QStringLiteral("Richiesta rilascio Registro Telematico"));
    fields_.layOut();
    chainThrough({fields_.validFrom(), fields_.family(), fields_.title()});
    setFirstField(fields_.validFrom());
    countTypingIn({fields_.validFrom(), fields_.family(), fields_.title()});
    fields_.guardConfirmOnce();
    fields_.confirm()->setChecks([this] { return checks(); });
    fields_.confirm()->setSave([this] { addRequest(); });
    checkRegisterFieldsOnExit();
}

void TFRICRETE::opened() {
    fields_.validFrom()->setDate(ui::Today());
    fields_.family()->setValue(kProposedFamily);
    fields_.title()->setText(kProposedTitle);
    fields_.validFrom()->setFocus(Qt::OtherFocusReason);
    fields_.validFrom()->setCursorPosition(0);
}

bool TFRICRETE::checks() {
    record_ = NewRequest(kReleaseRequest);
    if (!readRegisterFields()) return false;
    PadMovement(record_);
    return true;
}

}  // namespace braxol::telematic
