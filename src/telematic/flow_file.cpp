#include "telematic/flow_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "store/dates.h"
#include "store/decimal.h"
#include "store/flows.h"
#include "store/safe_file.h"

namespace braxol::telematic {
namespace {

constexpr char kTab = '\t';

// A field as stored, blank-padded to its width.
template <std::size_t N>
std::string Padded(const PStr<N>& field) {
    return FlowText(field.padded());
}

template <std::size_t N>
std::string Trimmed(const PStr<N>& field) {
    return FlowText(field.trimmed());
}

template <std::size_t N>
std::string Note(const PStr<N>& field) {
    return "NOTA: " + Trimmed(field);
}

// Only the characters 0-9 and A-Z of the product code.
std::string ProductCode(const TMOVIMENTO& r) {
    std::string code;
    for (char c : r.PRODDO.padded())
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) code += c;
    return code;
}

// The date of the preventive communication and the "HH:MM" of MITDES as HHMM.
std::string PecColumn(const TMOVIMENTO& r) {
    const std::string time = r.MITDES.padded();
    std::string hhmm;
    for (std::size_t i : {0u, 1u, 3u, 4u}) {
        const char c = time[i];
        hhmm += (c >= '0' && c <= '9') ? c : '0';
    }
    return DateToYMD(r.DATPEC) + hhmm;
}

std::string Key(const TUTENTE& company, const TMOVIMENTO& r, const std::string& date) {
    return std::string(kMovementFlowId) + FlowExciseCode(company) + date + Padded(r.TIPREC) +
           Padded(r.TIPRIC);
}

std::string RegisterLine(const TUTENTE& company, const TMOVIMENTO& r, double flowDate) {
    const std::string key = Key(company, r, DateToYMD(r.DATMOV));
    const std::string office = Padded(company.UFFDO1);
    const bool production = r.CODMOV == "114";
    if (production) {
        return key + TabColumns({"F",
                                 office,
                                 Padded(r.ANNPRO),
                                 Padded(r.NUMPRO),
                                 std::to_string(r.PROGRE),
                                 ProductCode(r),
                                 "",
                                 "",
                                 FlowDecimal(r.LITPRO, 5),
                                 std::to_string(r.INTER1),
                                 std::to_string(r.INTER2),
                                 FlowDecimal(r.ETTOGR, 5),
                                 FlowDecimal(r.GRAPLA, 5),
                                 "S",
                                 "",
                                 "",
                                 Padded(r.TIPDOC),
                                 Trimmed(r.NUMDOC),
                                 DateToYMD(r.DATDOC),
                                 "",
                                 "",
                                 "",
                                 "C",
                                 Padded(r.CODMOV),
                                 Padded(r.CODACC),
                                 FlowDecimal(r.ACCISA, 2),
                                 Note(r.ANNOTA),
                                 FlowDecimal(r.COERES, 5),
                                 Trimmed(r.PRODAZ),
                                 PecColumn(r)});
    }
    // Every other register movement is a wash. Since 03/08/2016 a wash's product code is left
    // out of the flow.
    static const double lastKeptCode = DateFromCivil(2016, 8, 2);
    const bool dropCode = r.CODMOV == "129" && std::floor(flowDate) > lastKeptCode;
    return key + TabColumns({"F",
                             office,
                             Padded(r.ANNPRO),
                             Padded(r.NUMPRO),
                             std::to_string(r.PROGRE),
                             dropCode ? "" : ProductCode(r),
                             "",
                             "",
                             "",
                             std::to_string(r.INTER1),
                             std::to_string(r.INTER2),
                             "",
                             "",
                             "S",
                             "",
                             "",
                             "",
                             "",
                             "",
                             "",
                             "",
                             "",
                             "C",
                             Padded(r.CODMOV),
                             "",
                             "",
                             Note(r.ANNOTA),
                             FlowDecimal(r.COERES, 5),
                             "",
                             ""});
}

std::string ExciseLine(const TUTENTE& company, const TMOVIMENTO& r) {
    return Key(company, r, "00000000") +
           TabColumns({Padded(r.ANNPRO), Padded(r.CODPAE), "", "", "", FlowDecimal(r.QUANTI, 2),
                       Trimmed(r.MITDES), Note(r.ANNOTA)});
}

std::string CorrectionLine(const TUTENTE& company, const TMOVIMENTO& r) {
    return Key(company, r, DateToYMD(r.DATDOC)) +
           TabColumns({Padded(r.ANNPRO), Padded(r.CODPAE), FlowDecimal(r.QUANTI, 2),
                       FlowDecimal(r.COERES, 2), FlowDecimal(r.LITPRO, 2), FlowDecimal(r.ETTOGR, 2),
                       FlowDecimal(r.GRAPLA, 2), std::to_string(r.INTER1), FlowDecimal(r.DATPEC, 2),
                       Trimmed(r.MITDES), Note(r.ANNOTA)});
}

}  // namespace

bool IsUsableUserCode(std::string_view codute) {
    if (codute.size() != 4) return false;
    for (char c : codute)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    return true;
}

std::string FlowName(std::string_view codute, int number, double flowDate) {
    return std::string(codute) + FlowNameSuffix(number, flowDate);
}

std::string FlowText(std::string_view bytes) {
    std::string text(bytes);
    for (char& ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        if (b < 0x20 || b == 0x7F || undefined) ch = ' ';
    }
    return text;
}

std::string FlowDecimal(double value, int decimals) {
    if (!std::isfinite(value)) value = 0;  // a damaged field is sent as 0
    // What is sent is what the record holds: its nearest 5-decimal value, rounded the
    // program's way, written from the exact decimal.
    if (std::fabs(value) < ExactDecimal::kLargestDouble)
        return ExactDecimal::FromDouble(value).Plain(decimals);
    // A whole number with more digits than any figure: its own digits.
    char text[400];
    const auto written = std::to_chars(std::begin(text), std::end(text), value,
                                       std::chars_format::fixed, std::max(decimals, 0));
    return std::string(text, written.ptr);
}

std::string TabColumns(const std::vector<std::string>& columns) {
    std::string line;
    for (const std::string& c : columns) {
        line += c;
        line += kTab;
    }
    return line;
}

std::string FlowExciseCode(const TUTENTE& company) {
    return Padded(company.CACCI1).substr(0, 13);
}

std::string HeaderLine(const TUTENTE& company, std::string_view flowName, int lineCount,
                       std::string_view kindCode) {
    char count[16];
    std::snprintf(count, sizeof count, "%05d", lineCount);
    return Padded(company.CODUTE) + std::string(12, ' ') + FlowText(flowName) +
           std::string(12, ' ') + Padded(company.SEZDOG) + std::string(4, ' ') +
           Padded(company.PARIVA) + "     " + std::string(kindCode) + " " + count;
}

std::string MovementSummaryLine(const TUTENTE& company, const FlowCounts& counts) {
    const std::string block = std::string(kMovementFlowId) + FlowExciseCode(company) + "00000000" +
                              "A" + Padded(company.PARIVA) + std::string(5, ' ');
    return block +
           TabColumns({std::to_string(counts.c), "0", std::to_string(counts.e), "0", "0", "0",
                       std::to_string(counts.r), std::to_string(counts.details() + 1)});
}

std::string MovementDetailLine(const TUTENTE& company, const TMOVIMENTO& record, double flowDate) {
    if (record.TIPREC == "C") return RegisterLine(company, record, flowDate);
    if (record.TIPREC == "E") return ExciseLine(company, record);
    if (record.TIPREC == "R") return CorrectionLine(company, record);
    return {};
}

FlowFile BuildMovementFlow(const TUTENTE& company, const std::vector<TMOVIMENTO>& chosen,
                           double flowDate, int flowNumber) {
    FlowFile flow;
    flow.name = FlowName(company.CODUTE.padded(), flowNumber, flowDate);
    std::vector<std::string> details;
    for (const TMOVIMENTO& r : chosen) {
        std::string line = MovementDetailLine(company, r, flowDate);
        if (line.empty()) continue;
        if (r.TIPREC == "C") ++flow.counts.c;
        if (r.TIPREC == "E") ++flow.counts.e;
        if (r.TIPREC == "R") ++flow.counts.r;
        details.push_back(std::move(line));
    }
    flow.lineCount = flow.counts.details() + 2;
    std::vector<std::string> lines{HeaderLine(company, flow.name, flow.lineCount),
                                   MovementSummaryLine(company, flow.counts)};
    lines.insert(lines.end(), details.begin(), details.end());
    flow.bytes = JoinLines(lines);
    return flow;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

fs::path WriteFlowFile(const fs::path& toSignFolder, const FlowFile& flow) {
    const fs::path file = toSignFolder / flow.name;
    ReplaceFileContent(file, flow.bytes);
    return file;
}

}  // namespace braxol::telematic
