#pragma once
// The telematic register file that leaves the brewery: a header line, a summary line and one
// detail line per chosen production, wash, record E or record R, as the customs service reads
// them. Window-free: records + company data + flow date and number in, bytes out (Windows-1252,
// CR LF). The request flows use the same header line and the same naming.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"

namespace braxol::telematic {

namespace fs = std::filesystem;

// The record identifier that opens the summary and detail lines of a movement flow.
inline constexpr std::string_view kMovementFlowId = "BRAXOL";

// A user code names files: four letters or digits, nothing else.
bool IsUsableUserCode(std::string_view codute);

// CODUTE + MMDD + ".C" + the number on two digits: ABCD0315.C07. Movement flows, request flows
// and the renunciation are all named so.
std::string FlowName(std::string_view codute, int number, double flowDate);

// Text as a flow line can carry it: a TAB, CR, LF or any other control character (and the
// five byte values that Windows-1252 leaves undefined) becomes a blank, so that no text can
// split a line or shift the columns.
std::string FlowText(std::string_view bytes);

// Fixed point with "." and `decimals` places, "-" in front when negative, no grouping.
std::string FlowDecimal(double value, int decimals);

// The values of a line after its fixed block, each followed by a TAB, the last one included.
std::string TabColumns(const std::vector<std::string>& columns);

// The company's excise code as the summary and detail lines carry it: its first 13 characters,
// blank-padded.
std::string FlowExciseCode(const TUTENTE& company);

// The 75-character header line (without CR LF). `kindCode` is "001", or "002" in the
// renunciation of the register kept by the program's own excise code.
std::string HeaderLine(const TUTENTE& company, std::string_view flowName, int lineCount,
                       std::string_view kindCode = "001");

struct FlowCounts {
    int c = 0;  // productions and washes
    int e = 0;  // records E
    int r = 0;  // records R
    int details() const { return c + e + r; }
};

// The summary line of a movement flow (without CR LF).
std::string MovementSummaryLine(const TUTENTE& company, const FlowCounts& counts);

// The detail line of a record (without CR LF); empty for a record of another kind, which the
// flow leaves out.
std::string MovementDetailLine(const TUTENTE& company, const TMOVIMENTO& record, double flowDate);

struct FlowFile {
    std::string name;   // the flow name, which names the file
    std::string bytes;  // every line ended by CR LF
    FlowCounts counts;
    int lineCount = 0;  // detail lines + 2
};

// The movement flow of the chosen records, in their order.
FlowFile BuildMovementFlow(const TUTENTE& company, const std::vector<TMOVIMENTO>& chosen,
                           double flowDate, int flowNumber);

// Lines joined, each ended by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// Writes the flow into the folder of files to sign, replacing whole any file of that name
// (written beside, then renamed over it). Returns the file's path. Throws IoError.
fs::path WriteFlowFile(const fs::path& toSignFolder, const FlowFile& flow);

}  // namespace braxol::telematic
