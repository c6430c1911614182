#include "sim_flow_check.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "sim_flow_rules.h"
#include "store/checks.h"
#include "store/dates.h"

namespace braxol::sim {
namespace {

constexpr std::size_t kSummaryBlock = 44;
constexpr std::size_t kKeyLength = 29;
constexpr std::string_view kIdentifier = "BRAXOL";

// Fixed point with exactly `decimals` decimals after a ".", a "-" in front when negative.
bool FixedPoint(std::string_view s, std::size_t decimals) {
    const std::size_t dot = s.find('.');
    if (dot == std::string_view::npos) return false;
    return Integer(s.substr(0, dot)) && s.substr(dot + 1).size() == decimals &&
           Digits(s.substr(dot + 1));
}

bool ZeroAmount(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == '0' || c == '.' || c == '-'; });
}

bool TaxPeriod(std::string_view s) {
    static constexpr std::array kPeriods{"01", "02", "03", "04", "05", "06", "07",
                                         "08", "09", "10", "11", "21", "22"};
    return std::find(kPeriods.begin(), kPeriods.end(), s) != kPeriods.end();
}

bool ProductCode(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); });
}

struct Counts {
    int c = 0, e = 0, r = 0;
};

using Column = std::string_view;

// One rule per column, 1-based as the columns are numbered.
void CheckColumns(Context& ctx, int line, const std::vector<Column>& v, char kind) {
    auto bad = [&](int col, const std::string& what) {
        ctx.error(line, "colonna " + std::to_string(col) + " " + what);
    };
    auto expect = [&](int col, bool ok, const char* what) {
        if (!ok) bad(col, std::string(what) + " (\"" + std::string(v[col - 1]) + "\")");
    };
    auto empty = [&](int col) { expect(col, v[col - 1].empty(), "deve essere vuota"); };
    auto note = [&](int col) {
        expect(col, v[col - 1].substr(0, 6) == "NOTA: ", "deve iniziare con \"NOTA: \"");
    };

    if (kind == 'C') {
        const bool production = v[23] == "114";
        expect(1, v[0] == "F", "deve valere F");
        expect(2, v[1].size() == 8, "ufficio doganale di 8 caratteri");
        expect(3, v[2].size() == 4, "anno del protocollo di 4 caratteri");
        expect(4, v[3].size() == 10, "numero del protocollo di 10 caratteri");
        expect(5, Integer(v[4]), "progressivo non numerico");
        expect(6, ProductCode(v[5]), "codice prodotto con caratteri non ammessi");
        empty(7);
        empty(8);
        expect(10, Integer(v[9]), "lettura iniziale non numerica");
        expect(11, Integer(v[10]), "lettura finale non numerica");
        expect(14, v[13] == "S", "deve valere S");
        empty(15);
        empty(16);
        for (int col : {20, 21, 22}) empty(col);
        expect(23, v[22] == "C", "deve valere C");
        expect(24, v[23].size() == 3, "codice movimento di 3 caratteri");
        note(27);
        expect(28, FixedPoint(v[27], 5), "coefficiente non nel formato con 5 decimali");
        if (production) {
            expect(9, FixedPoint(v[8], 5), "litri non nel formato con 5 decimali");
            expect(12, FixedPoint(v[11], 5), "ettanidri non nel formato con 5 decimali");
            expect(13, FixedPoint(v[12], 5), "grado Plato non nel formato con 5 decimali");
            expect(17, v[16].size() == 3, "tipo documento di 3 caratteri");
            expect(19, Ymd(v[18]), "data del documento non valida");
            expect(25, v[24].size() == 3, "codice accisa di 3 caratteri");
            expect(26, FixedPoint(v[25], 2), "accisa non nel formato con 2 decimali");
            expect(30, v[29].size() == 12 && Ymd(v[29].substr(0, 8)) && Digits(v[29].substr(8)),
                   "data e ora della comunicazione preventiva non valide");
            if (FixedPoint(v[25], 2) && ZeroAmount(v[25]))
                ctx.warning(line, "produzione con accisa pari a zero");
        } else {
            for (int col : {9, 12, 13, 17, 18, 19, 25, 26, 29, 30}) empty(col);
        }
    } else if (kind == 'E') {
        expect(1, v[0].size() == 4 && Digits(v[0]), "anno di riferimento non valido");
        expect(2, TaxPeriod(v[1]), "periodo d'imposta non valido");
        for (int col : {3, 4, 5}) empty(col);
        expect(6, FixedPoint(v[5], 2), "importo non nel formato con 2 decimali");
        note(8);
    } else {
        expect(1, v[0].size() == 4 && Digits(v[0]), "anno di riferimento non valido");
        expect(2, TaxPeriod(v[1]), "periodo d'imposta non valido");
        for (int col : {3, 4, 5, 6, 7, 9})
            expect(col, FixedPoint(v[col - 1], 2), "importo non nel formato con 2 decimali");
        expect(8, Integer(v[7]), "giorni di ritardo non numerici");
        note(11);
    }
}

void CheckDetail(Context& ctx, int line, std::string_view text, Counts& counts) {
    if (text.size() < kKeyLength) {
        ctx.error(line, "riga di dettaglio troppo corta");
        return;
    }
    if (text.substr(0, 6) != kIdentifier) {
        ctx.error(line, "identificativo del record diverso da BRAXOL");
        return;
    }
    const char kind = text[27];
    const char request = text[28];
    std::size_t columns = 0;
    switch (kind) {
        case 'C':
            ++counts.c;
            columns = 30;
            break;
        case 'E':
            ++counts.e;
            columns = 8;
            break;
        case 'R':
            ++counts.r;
            columns = 11;
            break;
        default:
            ctx.error(line, std::string("tipo record \"") + kind + "\" sconosciuto");
            return;
    }
    if (text.substr(6, 13) != ctx.check.exciseCode)
        ctx.error(line, "codice d'accisa diverso da quello della riga di riepilogo");
    const std::string_view date = text.substr(19, 8);
    if (kind == 'E' ? date != "00000000" : !Ymd(date))
        ctx.error(line, "data della chiave \"" + std::string(date) + "\" non valida");
    if (request != 'I' && request != 'C')
        ctx.error(line, std::string("tipo richiesta \"") + request + "\" sconosciuto");

    std::string_view rest = text.substr(kKeyLength);
    // A writer may separate the key from the first column with a TAB of its own.
    if (!rest.empty() && rest.front() == '\t') rest.remove_prefix(1);
    std::vector<Column> values;
    if (!Values(rest, values)) {
        ctx.error(line, "la riga non termina con un TAB");
        return;
    }
    if (values.size() != columns) {
        ctx.error(line, "attese " + std::to_string(columns) + " colonne, trovate " +
                            std::to_string(values.size()));
        return;
    }
    CheckColumns(ctx, line, values, kind);
}

void CheckSummary(Context& ctx, std::string_view s, const std::string& vat, const Counts& counts,
                  int details) {
    if (s.size() < kSummaryBlock || s.substr(0, 6) != kIdentifier) {
        ctx.refuse(2, "riga di riepilogo non valida");
        return;
    }
    if (!CheckExciseCode(ctx.check.exciseCode))
        ctx.refuse(2, "codice d'accisa \"" + ctx.check.exciseCode + "\" errato");
    if (s.substr(19, 8) != "00000000" || s[27] != 'A' || !Blanks(s.substr(39, 5)))
        ctx.refuse(2, "campi fissi della riga di riepilogo errati");
    if (s.substr(28, 11) != vat) ctx.refuse(2, "partita IVA diversa da quella della testata");
    std::vector<Column> values;
    if (!Values(s.substr(kSummaryBlock), values) || values.size() != 8) {
        ctx.refuse(2, "la riga di riepilogo deve avere 8 valori seguiti da TAB");
        return;
    }
    const std::array<int, 8> expected{counts.c, 0, counts.e, 0, 0, 0, counts.r, details + 1};
    static constexpr std::array kWhat{"righe C",  "valore 2", "righe E", "valore 4",
                                      "valore 5", "valore 6", "righe R", "righe + 1"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (SmallCount(values[i]) != expected[i])
            ctx.refuse(2, std::string("riepilogo: ") + kWhat[i] + " dichiarato \"" +
                              std::string(values[i]) + "\", atteso " + std::to_string(expected[i]));
    }
}

}  // namespace

void CheckHeader(Context& ctx, std::string_view h, std::string_view flowName, std::size_t lines,
                 std::string& vat, std::string_view kind) {
    if (h.size() != kHeaderLength) {
        ctx.refuse(1,
                   "la riga di testata deve avere 75 caratteri, ne ha " + std::to_string(h.size()));
        return;
    }
    const std::string_view user = h.substr(0, 4);
    if (!AllOf(user, ::isalnum) || user != std::string_view(flowName).substr(0, 4))
        ctx.refuse(1, "codice utente \"" + std::string(user) + "\" non valido");
    if (!Blanks(h.substr(4, 12)) || !Blanks(h.substr(28, 12)) || !Blanks(h.substr(46, 4)))
        ctx.refuse(1, "spazi della testata fuori posto");
    if (h.substr(16, 12) != flowName)
        ctx.refuse(1, "nome del flusso \"" + std::string(h.substr(16, 12)) +
                          "\" diverso dal nome del file \"" + std::string(flowName) + "\"");
    vat = std::string(h.substr(50, 11));
    if (!CheckVatNumber(vat)) ctx.refuse(1, "partita IVA \"" + vat + "\" errata");
    if (h.substr(61, 9) != "     " + std::string(kind) + " ")
        ctx.refuse(1, "tipo di flusso diverso da " + std::string(kind));
    const std::string_view count = h.substr(70, 5);
    if (SmallCount(count) != static_cast<int>(lines))
        ctx.refuse(1, "numero di righe dichiarato " + std::string(count) + ", righe presenti " +
                          std::to_string(lines));
}

int FlowCheck::errors() const {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                          [](const Finding& f) { return f.kind == 'E'; }));
}

FlowCheck CheckFlow(std::string_view flow, std::string_view flowName) {
    FlowCheck check;
    Context ctx{check};
    const auto lines = FlowLines(ctx, flow);
    if (!lines) return check;
    check.detailLines = static_cast<int>(lines->size()) - 2;
    if ((*lines)[1].substr(0, kRequestIdentifier.size()) == kRequestIdentifier) {
        CheckRequestFlow(ctx, *lines, flowName);
    } else {
        if ((*lines)[1].size() >= 19) check.exciseCode = std::string((*lines)[1].substr(6, 13));
        std::string vat;
        CheckHeader(ctx, (*lines)[0], flowName, lines->size(), vat, "001");
        Counts counts;
        for (std::size_t i = 2; i < lines->size(); ++i)
            CheckDetail(ctx, static_cast<int>(i) + 1, (*lines)[i], counts);
        CheckSummary(ctx, (*lines)[1], vat, counts, check.detailLines);
    }
    // The file's own faults first, then the lines in order.
    std::stable_sort(check.findings.begin(), check.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return check;
}

std::optional<std::vector<std::string_view>> FlowLines(Context& ctx, std::string_view flow) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < flow.size()) {
        const std::size_t lf = flow.find('\n', start);
        if (lf == std::string_view::npos || lf == start || flow[lf - 1] != '\r') {
            ctx.refuse(static_cast<int>(lines.size()) + 1, "riga non terminata da CR LF");
            return std::nullopt;
        }
        lines.push_back(flow.substr(start, lf - 1 - start));
        start = lf + 1;
    }
    if (lines.size() < 2) {
        ctx.refuse(1, "il flusso deve avere almeno la testata e il riepilogo");
        return std::nullopt;
    }
    return lines;
}

}  // namespace braxol::sim
