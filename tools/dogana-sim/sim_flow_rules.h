#pragma once
// What the checks of the movement flows and of the request flows share: the findings of a
// line, the shapes of values, the line split and the header line, which both kinds of flow
// write alike.

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim_flow_check.h"
#include "store/dates.h"

namespace braxol::sim {

inline constexpr std::size_t kHeaderLength = 75;
inline constexpr std::string_view kRequestIdentifier = "REGTEL";

struct Context {
    FlowCheck& check;
    void error(int line, std::string text) {
        check.findings.push_back({'E', line, "riga " + std::to_string(line) + ": " + text});
    }
    void warning(int line, std::string text) {
        check.findings.push_back({'S', line, "riga " + std::to_string(line) + ": " + text});
    }
    void refuse(int line, std::string text) {
        check.rejected = true;
        error(line, std::move(text));
    }
};

inline bool AllOf(std::string_view s, int (*test)(int)) {
    return std::all_of(s.begin(), s.end(),
                       [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}

inline bool Digits(std::string_view s) {
    return !s.empty() && AllOf(s, ::isdigit);
}

inline bool Blanks(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

inline bool Integer(std::string_view s) {
    if (!s.empty() && s.front() == '-') s.remove_prefix(1);
    return Digits(s);
}

// A small count as the lines write it; -1 when it is no such number.
inline int SmallCount(std::string_view s) {
    return Digits(s) && s.size() <= 6 ? std::stoi(std::string(s)) : -1;
}

inline bool Ymd(std::string_view s) {
    if (s.size() != 8 || !Digits(s)) return false;
    const int year = std::stoi(std::string(s.substr(0, 4)));
    const int month = std::stoi(std::string(s.substr(4, 2)));
    const int day = std::stoi(std::string(s.substr(6, 2)));
    return IsValidCivil(year, month, day);
}

// The values of a line after its fixed block: each is followed by a TAB, the last included.
inline bool Values(std::string_view rest, std::vector<std::string_view>& values) {
    values.clear();
    if (rest.empty() || rest.back() != '\t') return false;
    rest.remove_suffix(1);
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = rest.find('\t', start);
        values.push_back(
            rest.substr(start, tab == std::string_view::npos ? rest.npos : tab - start));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    return true;
}

// The lines of the flow, each ended by CR LF, at least the header and the summary; nothing
// (and the file refused) otherwise.
std::optional<std::vector<std::string_view>> FlowLines(Context& ctx, std::string_view flow);

// The header line: user code, flow name, VAT number (left in `vat`), flow kind ("001", or
// "002"), number of lines.
void CheckHeader(Context& ctx, std::string_view h, std::string_view flowName, std::size_t lines,
                 std::string& vat, std::string_view kind);

// A flow of register requests, or the renunciation: its summary line starts with "REGTEL".
void CheckRequestFlow(Context& ctx, const std::vector<std::string_view>& lines,
                      std::string_view flowName);

}  // namespace braxol::sim
