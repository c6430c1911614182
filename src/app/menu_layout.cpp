#include "app/menu_layout.h"

#include <QStringList>
#include <cstring>

namespace braxol::app {
namespace {

constexpr const char* kCompany = "&Dati Aziendali";
constexpr const char* kRegisters = "&Registri Telematici";
constexpr const char* kProduction = "&Produzioni / Lavaggi";
constexpr const char* kPreventive = "Com&unicazioni preventive";
constexpr const char* kTributes = "&Tributi";
constexpr const char* kFlows = "&Flussi Telematici";
constexpr const char* kTables = "&Codici e Tabelle";
constexpr const char* kRaw = "&Materie Prime";

const MenuItem kMenu[] = {
    {kCompany, nullptr, "&Protocolli Registri", "Action7", 0, false},
    {kCompany, nullptr, "&Tipi di Birra prodotti", "Action8", 0, false},
    {kCompany, nullptr, "&Dati Fiscali / Anagrafici", "Action9", 0, false},
    {kCompany, nullptr, "Re&gistra il Cambio Password", "Action61", 0, false},
    {kCompany, nullptr, "-", nullptr, 0, false},
    {kCompany, kRegisters, "&Richiesta rilascio Registro Telematico", "Action47", 0, false},
    {kCompany, kRegisters, "R&egistra il protocollo attribuito", "Action53", 1, false},
    {kCompany, kRegisters, "-", nullptr, 0, false},
    {kCompany, kRegisters, "&Modifica Registro Telematico", "Action48", 2, false},
    {kCompany, kRegisters, "&Chiusura Registro Telematico", "Action49", 3, false},
    {kCompany, kRegisters, "&Annulla Registro Telematico", "Action50", 4, false},
    {kCompany, kRegisters, "Ca&ncella Richieste", "Action51", 6, false},
    {kCompany, kRegisters, "&Invia le richieste al Servizio Telematico", "Action52", 0, false},
    {kCompany, kRegisters, "Rin&uncia Tenuta Registri Telematici", "Action54", 0, false},
    {kCompany, nullptr, "P&ercorsi di FirmaeVerifica (path)", "Action10", 0, false},
    {kCompany, nullptr, "&Indirizzi Web delle Dogane", "Action11", 0, false},
    {kProduction, kPreventive, "&Nuova Comunicazione Preventiva", "Action58", 0, false},
    {kProduction, kPreventive, "&Modifica Comunicazione Preventiva", "Action59", 1, false},
    {kProduction, kPreventive, "&Cancella Comunicazione Preventiva", "Action60", 7, false},
    {kProduction, kPreventive, "&Invia la comunicazione alla Dogana", "Action63", 2, false},
    {kProduction, kPreventive, "Im&posta Account della PEC", "Action64", 0, false},
    {kProduction, nullptr, "&Nuova Produzione", "Action12", 0, false},
    {kProduction, nullptr, "&Lavaggio", "Action13", 0, false},
    {kProduction, nullptr, "&Modifica dati non inviati", "Action14", 12, false},
    {kProduction, nullptr, "&Cancella dati non inviati", "Action15", 1, false},
    {kProduction, nullptr, "Mostra i &dettagli di un movimento", "Action57", 18, false},
    {kProduction, nullptr, "&Ricerca solo le produzioni", "Action16", 1, false},
    {kProduction, nullptr, "R&icerca solo i lavaggi", "Action17", 2, false},
    {kProduction, nullptr, "Ricerca &Produzioni e Lavaggi", "Action44", 0, false},
    {kProduction, nullptr, "Riepil&ogo produzione per periodo", "Action46", 0, false},
    {kProduction, nullptr, "R&ettifica: Annulla comunicazione", "Action18", 16, false},
    {kProduction, nullptr, "Re&ttifica: Modifica comunicazione", "Action19", 17, false},
    {kProduction, nullptr, "C&ancella Rettifica NON inviata", "Action20", 2, false},
    {kProduction, nullptr, "&Stampa il Registro delle Produzioni", "Action21", 0, false},
    {kProduction, nullptr, "&Bilancio annuo di materia ed energia", "Action55", 0, false},
    {kTributes, nullptr, "&Riepilogo dell'Accisa (Record E)", "Action30", 0, false},
    {kTributes, nullptr, "R&avvedimento (Record R)", "Action31", 0, false},
    {kTributes, nullptr, "&Cancella Record E/R non inviati", "Action32", 3, false},
    {kTributes, nullptr, "R&icerca Record E/R", "Action33", 3, false},
    {kTributes, nullptr, "R&ettifica: Annulla Record E/R", "Action34", 1, false},
    {kTributes, nullptr, "Re&ttifica: Modifica Record E/R", "Action35", 2, false},
    {kTributes, nullptr, "Ca&ncella rettifica non inviata", "Action36", 4, false},
    {kFlows, nullptr, "&Crea, Firma ed Invia il Flusso Telematico", "Action22", 0, false},
    {kFlows, nullptr, "&Verifica l'esito d'invio di un flusso", "Action62", 0, false},
    {kFlows, nullptr, "&Toglie i riferimenti di invio di un flusso", "Action23", 0, false},
    {kFlows, nullptr, "&Pagina Iniziale Sito delle Dogane", "Action26", 7, false},
    {kFlows, nullptr, "&Ambiente E.D.I. REALE", "Action27", 3, false},
    {kFlows, nullptr, "&Esegue FirmaVerifica", "Action28", 100, false},
    {kFlows, nullptr, "A&mbiente di Addestramento / Prova", "Action29", 5, false},
    {kFlows, nullptr, "Ca&ncella i file della Firma Digitale", "Action65", 0, false},
    {kTables, nullptr, "&Codici prodotti (TA20)", "Action2", 0, false},
    {kTables, nullptr, "&Importo e capitolo tributo", "Action3", 0, false},
    {kTables, nullptr, "&Uffici Doganali", "Action4", 3, false},
    {kTables, nullptr, "&Tipi di Documento (TA05-c)", "Action6", 5, true},
    {kTables, nullptr, "&Strutture", "Action5", 0, true},
    {kRaw, nullptr, "&Carichi / Scarichi", "Action38", 0, false},
    {kRaw, nullptr, "&Modifica", "Action39", 0, false},
    {kRaw, nullptr, "C&ancella", "Action40", 5, false},
    {kRaw, nullptr, "&Ricerca Movimenti", "Action41", 0, false},
    {kRaw, nullptr, "T&otali Materie Prime", "Action45", 0, false},
    {kRaw, nullptr, "&Stampa Registro", "Action42", 0, false},
    {kRaw, nullptr, "Stam&pa Registro Movimenti x giorno", "Action56", 0, false},
    {kRaw, nullptr, "&Tabella materie prime", "Action43", 0, false},
    {"&Info", nullptr, nullptr, "Action1", 0, false},
};

const HiddenAction kHidden[] = {
    {"Action24", "Ricerca le Produzioni Inviate", 3},
    {"Action25", "Ricerca i Lavaggi Inviati", 4},
    {"Action37", "Ricerca Tributi Inviati", 64},
};

}  // namespace

std::span<const MenuItem> MainMenu() {
    return kMenu;
}
std::span<const HiddenAction> ActionsWithoutItem() {
    return kHidden;
}

QString MenuPath(const char* action) {
    auto shown = [](const char* caption) { return QString::fromUtf8(caption).remove('&'); };
    for (const MenuItem& item : MainMenu()) {
        if (!item.action || std::strcmp(item.action, action) != 0) continue;
        QStringList path{shown(item.menu)};
        if (item.submenu) path << shown(item.submenu);
        if (item.caption) path << shown(item.caption);
        return path.join(QStringLiteral(" → "));
    }
    return {};
}

}  // namespace braxol::app
