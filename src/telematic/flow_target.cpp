#include "telematic/flow_target.h"

#include <system_error>

#include "store/flows.h"
#include "store/io_error.h"
#include "store/paths.h"
#include "telematic/flow_file.h"
#include "telematic/flow_messages.h"
#include "telematic/signing_start.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::telematic {

namespace fs = std::filesystem;

int ProposedFlowNumber(double date, const TUTENTE& company, const TTABELLA& paths) {
    return NextFlowNumber(date, company.CODUTE.trimmed(), SignedFolder(paths));
}

std::optional<FlowTarget> CheckFlowTarget(QWidget* parent, ui::DateEdit* date,
                                          ui::IntegerEdit* number, const TUTENTE& company,
                                          const TTABELLA& paths, FocusMove move) {
    const auto focus = [move](QWidget* field) {
        if (move == FocusMove::AfterExit)
            ui::ReturnFocus(field);
        else
            field->setFocus(Qt::OtherFocusReason);
    };
    // Without the folder of files to sign the flow would land wherever the program runs.
    if (ToSignFolder(paths).empty()) {
        ui::Warn(parent, kNoSigningFolders);
        focus(date);
        return std::nullopt;
    }
    FlowTarget target;
    target.number = number->value();
    if (target.number < 1) {
        focus(number);
        return std::nullopt;
    }
    const auto day = date->date();
    if (!day) {
        focus(date);
        return std::nullopt;
    }
    target.date = *day;
    const std::string user = company.CODUTE.trimmed();
    if (!IsUsableUserCode(user)) {
        ui::Warn(parent, kUnusableUserCode);
        focus(date);
        return std::nullopt;
    }
    target.name = FlowName(user, target.number, target.date);
    target.signedFile = SignedFolder(paths) / (target.name + ".p7m");
    try {
        target.replaceSigned = PathExists(target.signedFile);
    } catch (const IoError& e) {
        // Taken for missing, an old signed file would pass for the new flow's signature.
        ui::ShowIoError(parent, e);
        focus(date);
        return std::nullopt;
    }
    if (target.replaceSigned) ui::Warn(parent, kSignedFileReplaced);
    return target;
}

void RemoveReplacedSignedFile(const FlowTarget& target) {
    if (!target.replaceSigned) return;
    std::error_code ec;
    if (!fs::remove(target.signedFile, ec) && ec)
        throw IoError(target.signedFile.string(), ReasonFromErrno(ec.value()));
}

void RecordPreparedFlow(TelematicState* state, QChar kind, const FlowTarget& target) {
    if (!state) return;
    state->flowKind = kind;
    state->flowName = QString::fromStdString(target.name);
    state->signedFilePath = QString::fromStdString(target.signedFile.string());
    state->flowDate = target.date;
    state->flowNumber = target.number;
}

void HandOverToSigning(QWidget* parent, bool sign, const TTABELLA& paths,
                       const fs::path& workFolder,
                       const std::function<void(QWidget* parent)>& openTransmission) {
    if (!sign) return;
    const QString program = SigningProgram(paths);
    const bool follow = program.isEmpty() || StartSigningProgram(parent, program, workFolder);
    if (follow && openTransmission) openTransmission(parent);
}

}  // namespace braxol::telematic
