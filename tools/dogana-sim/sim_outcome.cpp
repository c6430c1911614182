#include "sim_outcome.h"

#include "store/cp1252.h"
#include "store/paths.h"

namespace braxol::sim {
namespace {

constexpr std::size_t kOutcomeLetter = 9;  // the "C" after the dot

std::string Fixed(std::string_view text, std::size_t width) {
    std::string s(text.substr(0, std::min(text.size(), width)));
    s.resize(width, ' ');
    return s;
}

// "20250401" as "01/04/2025".
std::string ItalianDate(std::string_view ymd) {
    if (ymd.size() != 8) return std::string(ymd);
    return std::string(ymd.substr(6, 2)) + "/" + std::string(ymd.substr(4, 2)) + "/" +
           std::string(ymd.substr(0, 4));
}

std::string RequestKindText(char kind) {
    switch (kind) {
        case 'R':
            return "richiesta di rilascio";
        case 'M':
            return "richiesta di modifica";
        case 'F':
            return "richiesta di chiusura";
        case 'A':
            return "richiesta di annullamento";
        default:
            return "richiesta";
    }
}

}  // namespace

std::string OutcomeNameOf(std::string_view flowName) {
    std::string name(flowName);
    if (name.size() > kOutcomeLetter) name[kOutcomeLetter] = 'J';
    return name;
}

std::string StoredOutcomeName(std::string_view requested) {
    std::string name = UpperAscii(std::string(requested));
    if (name.size() > 4 && name.ends_with(".P7M")) name.resize(name.size() - 4);
    return name;
}

std::string BuildOutcomeDocument(std::string_view flowName, const FlowCheck& check,
                                 std::string_view registration) {
    std::string doc;
    auto line = [&doc](const std::string& utf8) { doc += Cp1252FromUtf8(utf8) + "\r\n"; };
    line("ESITO DEL FLUSSO " + std::string(flowName) + " - SIMULATORE DI ADDESTRAMENTO");
    line(" Documento di prova: non ha alcun valore presso l'Agenzia delle Dogane.");
    line("BRAXOL" + Fixed(check.exciseCode, 13) + "00000000" + Fixed(registration, 15) +
         (check.rejected ? "1" : "0") +
         (check.rejected ? " FLUSSO SCARTATO" : " FLUSSO ACQUISITO") + " - righe di dettaglio " +
         std::to_string(check.detailLines));
    for (const Finding& f : check.findings) line(std::string(" ") + f.kind + f.text);
    return doc;
}

std::string BuildRequestOutcomeDocument(std::string_view flowName, const FlowCheck& check,
                                        std::string_view registration,
                                        const std::vector<std::string>& protocols) {
    std::string doc;
    auto line = [&doc](const std::string& utf8) { doc += Cp1252FromUtf8(utf8) + "\r\n"; };
    line("ESITO DEL FLUSSO " + std::string(flowName) + " - SIMULATORE DI ADDESTRAMENTO");
    line(" Documento di prova: non ha alcun valore presso l'Agenzia delle Dogane.");
    const std::string what = check.rejected       ? " FLUSSO SCARTATO"
                             : check.renunciation ? " RINUNCIA ACQUISITA"
                                                  : " RICHIESTE ACQUISITE";
    line("REGTEL" + Fixed(check.exciseCode, 13) + "00000000" + Fixed(registration, 15) +
         (check.rejected ? "1" : "0") + what + " - richieste " +
         std::to_string(check.requests.size()));
    auto findingsOf = [&](int lineNumber) {
        std::vector<std::string> texts;
        for (const Finding& f : check.findings)
            if (f.line == lineNumber) texts.push_back(f.text);
        return texts;
    };
    for (int header : {1, 2})
        for (const std::string& text : findingsOf(header))
            line("Record del flusso scartato: " + text);
    if (check.rejected) return doc;
    if (check.renunciation) {
        line("Record 1 - rinuncia alla tenuta dei registri telematici dal " +
             ItalianDate(check.renunciationDate) + ": ogni registro telematico viene chiuso");
        return doc;
    }
    for (std::size_t i = 0; i < check.requests.size(); ++i) {
        const RequestLine& r = check.requests[i];
        const std::string record =
            "Record " + std::to_string(i + 1) + " - " + RequestKindText(r.kind);
        if (!r.accepted) {
            for (const std::string& text : findingsOf(r.line)) line(record + " scartata: " + text);
            continue;
        }
        const std::string protocol = i < protocols.size() ? protocols[i] : std::string();
        switch (r.kind) {
            case 'R':
                line(record + ": l'Ufficio ha rilasciato il Registro Telematico Numero " +
                     protocol);
                line("Tipologia del registro: F");
                line("Titolo: " + Utf8FromCp1252(r.title));
                line("Data inizio validità:    " + ItalianDate(r.validFrom));
                line("Famiglia prodotto: " + r.family);
                break;
            case 'M':
                line(record + " del Registro Telematico Numero " + Utf8FromCp1252(r.number) +
                     ": modifica registrata");
                line("Titolo: " + Utf8FromCp1252(r.title));
                line("Data inizio validità:    " + ItalianDate(r.validFrom));
                line("Famiglia prodotto: " + r.family);
                break;
            case 'F':
                line(record + ": il Registro Telematico Numero " + Utf8FromCp1252(r.number) +
                     " è stato chiuso");
                break;
            default:
                line(record + ": il Registro Telematico Numero " + Utf8FromCp1252(r.number) +
                     " è stato annullato");
                break;
        }
    }
    return doc;
}

}  // namespace braxol::sim
