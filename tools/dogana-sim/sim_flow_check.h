#pragma once
// What the training service finds in a movement flow: the header and summary lines, the
// counts against the detail lines, the record kinds, the key of each line, dates, numbers in
// their fixed-point formats, the excise code and the VAT number. A fault in the header or
// the summary refuses the whole file; a fault in a detail line discards that line only.

#include <string>
#include <string_view>
#include <vector>

namespace braxol::sim {

struct Finding {
    char kind = 'E';  // 'S' a warning, 'E' an error
    int line = 0;     // 1 = the header line
    std::string text;
};

struct FlowCheck {
    bool rejected = false;   // the file as a whole is refused
    std::string exciseCode;  // the 13 characters of the summary line, as written
    std::vector<Finding> findings;
    int detailLines = 0;

    int errors() const;
};

// `flowName` is the name the file was uploaded under, without ".p7m".
FlowCheck CheckFlow(std::string_view flow, std::string_view flowName);

}  // namespace braxol::sim
