// The rules of the request flows: the summary line "REGTEL" + excise code + "A" + VAT number +
// 5 blanks followed by the number of requests, that number + 1 and an empty value (or, for the
// renunciation, "0", "1" and its date), and one line per request: "REGTEL" + excise code + "B" +
// the request kind, a TAB, then seven values each followed by a TAB.

#include <string>

#include "sim_flow_rules.h"
#include "store/checks.h"

namespace braxol::sim {
namespace {

constexpr std::size_t kSummaryBlock = 36;
constexpr std::size_t kKeyLength = 21;
constexpr std::size_t kColumns = 7;
constexpr int kFirstFamily = 500;
constexpr int kLastFamily = 9999;
constexpr std::string_view kProgramExciseCode = "IT00ZZC00003M";

using Column = std::string_view;

bool Family(std::string_view s) {
    if (!Digits(s) || s.size() > 4) return false;
    const int family = std::stoi(std::string(s));
    return family >= kFirstFamily && family <= kLastFamily;
}

void CheckRequestColumns(Context& ctx, int line, const std::vector<Column>& v, char kind) {
    auto expect = [&](std::size_t col, bool ok, const char* what) {
        if (!ok)
            ctx.error(line, "colonna " + std::to_string(col) + " " + what + " (\"" +
                                std::string(v[col - 1]) + "\")");
    };
    auto empty = [&](std::size_t col) { expect(col, v[col - 1].empty(), "deve essere vuota"); };
    const bool protocol = kind != 'R';
    if (kind == 'R') {
        expect(1, v[0] == "F", "deve valere F");
        empty(2);
        empty(3);
        expect(6, v[5] == "S", "deve valere S");
    } else {
        empty(1);
        empty(6);
    }
    if (protocol) {
        expect(2, v[1].size() == 4 && Digits(v[1]), "anno del protocollo non valido");
        expect(3, !v[2].empty() && v[2].size() <= 10, "numero del protocollo mancante");
    }
    if (kind == 'R' || kind == 'M') {
        expect(4, !v[3].empty(), "titolo del registro mancante");
        expect(5, Ymd(v[4]), "data di inizio validità non valida");
        expect(7, Family(v[6]), "codice famiglia non compreso tra 500 e 9999");
    } else {
        for (std::size_t col : {4u, 5u, 7u}) empty(col);
    }
}

void CheckRequest(Context& ctx, int line, std::string_view text) {
    const int errorsBefore = ctx.check.errors();
    RequestLine request;
    request.line = line;
    if (text.size() < kKeyLength + 1 ||
        text.substr(0, kRequestIdentifier.size()) != kRequestIdentifier) {
        ctx.error(line, "identificativo del record diverso da REGTEL");
        ctx.check.requests.push_back(request);
        return;
    }
    request.kind = text[20];
    if (text.substr(6, 13) != ctx.check.exciseCode)
        ctx.error(line, "codice d'accisa diverso da quello della riga di riepilogo");
    if (text[19] != 'B') ctx.error(line, std::string("tipo record \"") + text[19] + "\" non B");
    std::vector<Column> values;
    const bool known = std::string_view("RMFA").find(request.kind) != std::string_view::npos;
    if (!known) {
        ctx.error(line, std::string("tipo richiesta \"") + request.kind + "\" sconosciuto");
    } else if (text[kKeyLength] != '\t') {
        ctx.error(line, "manca il TAB dopo la chiave");
    } else if (!Values(text.substr(kKeyLength + 1), values)) {
        ctx.error(line, "la riga non termina con un TAB");
    } else if (values.size() != kColumns) {
        ctx.error(line, "attese 7 colonne, trovate " + std::to_string(values.size()));
    } else {
        CheckRequestColumns(ctx, line, values, request.kind);
        request.year = values[1];
        request.number = values[2];
        request.title = values[3];
        request.validFrom = values[4];
        request.family = values[6];
    }
    request.accepted = ctx.check.errors() == errorsBefore;
    ctx.check.requests.push_back(request);
}

void CheckRequestSummary(Context& ctx, std::string_view s, const std::string& vat, int details) {
    if (s.size() < kSummaryBlock) {
        ctx.refuse(2, "riga di riepilogo non valida");
        return;
    }
    // The program's own excise code is no customs code, but it is known.
    if (!CheckExciseCode(ctx.check.exciseCode) && ctx.check.exciseCode != kProgramExciseCode)
        ctx.refuse(2, "codice d'accisa \"" + ctx.check.exciseCode + "\" errato");
    if (s[19] != 'A' || !Blanks(s.substr(31, 5)))
        ctx.refuse(2, "campi fissi della riga di riepilogo errati");
    if (s.substr(20, 11) != vat) ctx.refuse(2, "partita IVA diversa da quella della testata");
    std::vector<Column> values;
    if (!Values(s.substr(kSummaryBlock), values) || values.size() != 3) {
        ctx.refuse(2, "la riga di riepilogo deve avere 3 valori seguiti da TAB");
        return;
    }
    if (details == 0 && values[0] == "0" && values[1] == "1") {
        ctx.check.renunciation = true;
        ctx.check.renunciationDate = std::string(values[2]);
        if (!Ymd(values[2])) ctx.refuse(2, "data della rinuncia non valida");
        return;
    }
    if (details == 0) ctx.refuse(2, "nessuna richiesta nel flusso");
    if (SmallCount(values[0]) != details)
        ctx.refuse(2, "riepilogo: richieste dichiarate \"" + std::string(values[0]) +
                          "\", presenti " + std::to_string(details));
    if (SmallCount(values[1]) != details + 1)
        ctx.refuse(2, "riepilogo: secondo valore \"" + std::string(values[1]) + "\", atteso " +
                          std::to_string(details + 1));
    if (!values[2].empty()) ctx.refuse(2, "riepilogo: il terzo valore deve essere vuoto");
}

}  // namespace

void CheckRequestFlow(Context& ctx, const std::vector<std::string_view>& lines,
                      std::string_view flowName) {
    FlowCheck& check = ctx.check;
    check.requestFlow = true;
    if (lines[1].size() >= 19) check.exciseCode = std::string(lines[1].substr(6, 13));
    std::string vat;
    const bool programCode = check.exciseCode == kProgramExciseCode && lines.size() == 2;
    CheckHeader(ctx, lines[0], flowName, lines.size(), vat, programCode ? "002" : "001");
    for (std::size_t i = 2; i < lines.size(); ++i)
        CheckRequest(ctx, static_cast<int>(i) + 1, lines[i]);
    CheckRequestSummary(ctx, lines[1], vat, check.detailLines);
}

}  // namespace braxol::sim
