#pragma once
// The flows of the register requests: the requests to release, modify, close or cancel a
// telematic register, and the renunciation of the telematic registers. They travel in the same
// envelope as the movement flows (flow_file.h): the same header line, the same naming, the same
// text cleaning, Windows-1252 with CR LF. Window-free: records and company data in, bytes out.

#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"
#include "telematic/flow_file.h"

namespace braxol::telematic {

// The record identifier that opens the summary and detail lines of a request flow.
inline constexpr std::string_view kRequestFlowId = "REGTEL";

// The excise code that the program keeps for itself: its renunciation flows are of kind "002".
inline constexpr std::string_view kProgramExciseCode = "IT00ZZC00003M";

// "REGTEL" + excise code (13) + "A" + VAT number + 5 blanks, then the values, each followed by
// a TAB.
std::string RequestSummaryLine(const TUTENTE& company, const std::vector<std::string>& values);

// The line of a request (without CR LF): "REGTEL" + excise code + "B" + the request kind, a TAB,
// then seven values each followed by a TAB, by kind: a release carries "F", its title, its
// validity start, "S" and its product family; a modification its protocol's year and number,
// title, validity start and family; a closing or a cancellation only the protocol's year and
// number. Empty for a record that is no request.
std::string RequestDetailLine(const TUTENTE& company, const TMOVIMENTO& request);

// The flow of the chosen requests, in their order: lineCount is the number of requests + 2.
FlowFile BuildRequestFlow(const TUTENTE& company, const std::vector<TMOVIMENTO>& chosen,
                          double flowDate, int flowNumber);

// The renunciation of the telematic registers from `renunciationDate`: a header line of two
// lines and the summary line "0", "1", the date as YYYYMMDD; no detail line.
FlowFile BuildRenunciationFlow(const TUTENTE& company, double renunciationDate, double flowDate,
                               int flowNumber);

}  // namespace braxol::telematic
