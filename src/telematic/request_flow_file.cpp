#include "telematic/request_flow_file.h"

#include "store/dates.h"

namespace braxol::telematic {
namespace {

constexpr std::string_view kMovementKind = "001";
constexpr std::string_view kProgramKind = "002";

template <std::size_t N>
std::string Trimmed(const PStr<N>& field) {
    return FlowText(field.trimmed());
}

std::string Block(const TUTENTE& company) {
    return std::string(kRequestFlowId) + FlowExciseCode(company) + "A" +
           FlowText(company.PARIVA.padded()) + std::string(5, ' ');
}

}  // namespace

std::string RequestSummaryLine(const TUTENTE& company, const std::vector<std::string>& values) {
    return Block(company) + TabColumns(values);
}

std::string RequestDetailLine(const TUTENTE& company, const TMOVIMENTO& r) {
    if (r.TIPREC != "B") return {};
    const std::string kind = Trimmed(r.TIPRIC);
    const std::string key = std::string(kRequestFlowId) + FlowExciseCode(company) + "B" +
                            FlowText(r.TIPRIC.padded()) + "\t";
    const std::string family = std::to_string(r.INTER1);
    if (kind == "R")
        return key + TabColumns({"F", "", "", Trimmed(r.ANNOTA), DateToYMD(r.DATMOV), "S", family});
    if (kind == "M")
        return key + TabColumns({"", Trimmed(r.ANNPRO), Trimmed(r.NUMPRO), Trimmed(r.ANNOTA),
                                 DateToYMD(r.DATMOV), "", family});
    return key + TabColumns({"", Trimmed(r.ANNPRO), Trimmed(r.NUMPRO), "", "", "", ""});
}

FlowFile BuildRequestFlow(const TUTENTE& company, const std::vector<TMOVIMENTO>& chosen,
                          double flowDate, int flowNumber) {
    FlowFile flow;
    flow.name = FlowName(company.CODUTE.padded(), flowNumber, flowDate);
    std::vector<std::string> details;
    for (const TMOVIMENTO& r : chosen) {
        std::string line = RequestDetailLine(company, r);
        if (line.empty()) continue;
        details.push_back(std::move(line));
    }
    const int requests = static_cast<int>(details.size());
    flow.lineCount = requests + 2;
    std::vector<std::string> lines{
        HeaderLine(company, flow.name, flow.lineCount),
        RequestSummaryLine(company, {std::to_string(requests), std::to_string(requests + 1), ""})};
    lines.insert(lines.end(), details.begin(), details.end());
    flow.bytes = JoinLines(lines);
    return flow;
}

FlowFile BuildRenunciationFlow(const TUTENTE& company, double renunciationDate, double flowDate,
                               int flowNumber) {
    FlowFile flow;
    flow.name = FlowName(company.CODUTE.padded(), flowNumber, flowDate);
    flow.lineCount = 2;
    const bool programCode = company.CACCI1.str().find(kProgramExciseCode) != std::string::npos;
    flow.bytes = JoinLines(
        {HeaderLine(company, flow.name, flow.lineCount, programCode ? kProgramKind : kMovementKind),
         RequestSummaryLine(company, {"0", "1", DateToYMD(renunciationDate)})});
    return flow;
}

}  // namespace braxol::telematic
