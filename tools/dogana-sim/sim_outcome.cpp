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

}  // namespace braxol::sim
