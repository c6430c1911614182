#pragma once
// What the windows that create a flow share (the movement flow, the request flow and the
// renunciation): the flow's date and number checked and turned into its name and signed file,
// the signed file of an earlier flow of that name replaced, the flow recorded for the windows
// that follow it, and the hand-over to the signing program and the transmission window.

#include <QChar>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "store/records.h"
#include "telematic/telematic_state.h"

class QWidget;

namespace braxol::ui {
class DateEdit;
class IntegerEdit;
}  // namespace braxol::ui

namespace braxol::telematic {

struct FlowTarget {
    double date = 0;
    int number = 0;
    std::string name;                  // CODUTE + MMDD + ".C" + the number on two digits
    std::filesystem::path signedFile;  // FIRMATI folder + name + ".p7m"
    bool replaceSigned = false;        // a signed file of that name is there already
};

// The next flow number of the date: 1 + the highest among the user's signed files of that day.
int ProposedFlowNumber(double date, const TUTENTE& company, const TTABELLA& paths);

// How a failed check sends the focus to its field: at once (from the checks of a confirm
// button), or once the focus change in progress has ended (from a field's exit rule).
enum class FocusMove { Now, AfterExit };

// Reads the flow's number and date: a number below 1 sends the focus to `number`, a date that is
// no date to `date`, a user code that cannot name files is said and sends the focus to `date`.
// A signed file of the same name is announced, to be replaced. Nothing when a check failed.
std::optional<FlowTarget> CheckFlowTarget(QWidget* parent, ui::DateEdit* date,
                                          ui::IntegerEdit* number, const TUTENTE& company,
                                          const TTABELLA& paths, FocusMove move = FocusMove::Now);

// Removes the signed file that the new flow replaces, when there is one. Throws IoError.
void RemoveReplacedSignedFile(const FlowTarget& target);

// The flow just written, of kind 'C' (movements) or 'R' (register requests), for the
// transmission window.
void RecordPreparedFlow(TelematicState* state, QChar kind, const FlowTarget& target);

// With signing asked for: starts the signing program and, once it started (or at once when no
// program is given), opens the transmission window, when there is one to open.
void HandOverToSigning(QWidget* parent, bool sign, const TTABELLA& paths,
                       const std::filesystem::path& workFolder,
                       const std::function<void(QWidget* parent)>& openTransmission);

}  // namespace braxol::telematic
