#pragma once
// What the training service finds in a flow: the header and summary lines, the counts against
// the detail lines, the record kinds, the key of each line, dates, numbers in their fixed-point
// formats, the excise code and the VAT number. A fault in the header or the summary refuses the
// whole file; a fault in a detail line discards that line only. A flow whose summary line opens
// with "REGTEL" carries register requests (or the renunciation of the telematic registers) and
// is checked by the rules of those flows.

#include <string>
#include <string_view>
#include <vector>

namespace braxol::sim {

struct Finding {
    char kind = 'E';  // 'S' a warning, 'E' an error
    int line = 0;     // 1 = the header line
    std::string text;
};

// A register request as its line in a request flow gives it.
struct RequestLine {
    int line = 0;
    char kind = ' ';        // 'R' release, 'M' modification, 'F' closing, 'A' cancellation
    std::string year;       // of the register's protocol
    std::string number;     // of the register's protocol
    std::string title;      // of the register
    std::string validFrom;  // the register's validity start, YYYYMMDD
    std::string family;     // product family
    bool accepted = false;  // its line holds no error
};

struct FlowCheck {
    bool rejected = false;   // the file as a whole is refused
    std::string exciseCode;  // the 13 characters of the summary line, as written
    std::vector<Finding> findings;
    int detailLines = 0;
    // A flow of register requests: its requests in order; or the renunciation, with its date.
    bool requestFlow = false;
    std::vector<RequestLine> requests;
    bool renunciation = false;
    std::string renunciationDate;  // YYYYMMDD

    int errors() const;
};

// `flowName` is the name the file was uploaded under, without ".p7m".
FlowCheck CheckFlow(std::string_view flow, std::string_view flowName);

}  // namespace braxol::sim
