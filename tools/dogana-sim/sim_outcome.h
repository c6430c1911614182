#pragma once
// The outcome document the training service prepares for each accepted upload: a text
// (Windows-1252, CR LF) whose record line carries "BRAXOL", the registration number of the
// file in characters 28-42 and the outcome code in character 43 ("0" accepted), followed by
// one blank-led line per finding, " S" for a warning and " E" for an error.
//
// A request flow's outcome has the record line "REGTEL" and then one block per request, opened
// by a line with "Record": a release request accepted is a register released, with its protocol
// number after "Numero" and the lines "Tipologia", "Titolo", "Data inizio validità" and
// "Famiglia"; a modification, a closing ("chiuso") and a cancellation ("annullato") are
// acknowledged; a request refused names its faults.

#include <string>
#include <string_view>
#include <vector>

#include "sim_flow_check.h"

namespace braxol::sim {

// ABCD0315.C01 -> ABCD0315.J01: the name the outcome is asked for by.
std::string OutcomeNameOf(std::string_view flowName);
// The stored outcome a get asks for: the name without a final ".p7m", in upper case.
std::string StoredOutcomeName(std::string_view requested);

// `registration`: 15 characters.
std::string BuildOutcomeDocument(std::string_view flowName, const FlowCheck& check,
                                 std::string_view registration);

// `protocols`: for each request of the check, the protocol number released for it (empty when
// none).
std::string BuildRequestOutcomeDocument(std::string_view flowName, const FlowCheck& check,
                                        std::string_view registration,
                                        const std::vector<std::string>& protocols);

}  // namespace braxol::sim
