#include "production/movement_modes.h"

#include <algorithm>

#include "store/dates.h"
#include "store/flows.h"
#include "store/numbers.h"
#include "store/paths.h"
#include "ui/text.h"

namespace braxol::production {
namespace {

QString Date(double d) {
    return QString::fromStdString(FormatDate(d));
}
// Decimals 0: as many as the value needs.
QString Amount(double v, int decimals = 0, int width = 0) {
    return QString::fromStdString(FormatAmount(v, width, decimals));
}
template <std::size_t N>
QString Text(const PStr<N>& field) {
    return ui::FromField(field);
}

bool Cancelled(const TMOVIMENTO& r) {
    return r.STATO == "C";
}
bool Unsent(const TMOVIMENTO& r) {
    return r.DATFLU == 0;
}

// Chooser filters.
bool UnsentActive(const TMOVIMENTO& r) {
    return !Cancelled(r) && r.NUMFLU == 0;
}
bool SentInsertion(const TMOVIMENTO& r) {
    return !Cancelled(r) && r.NUMFLU > 0 && r.TIPRIC == "I";
}
bool Active(const TMOVIMENTO& r) {
    return !Cancelled(r);
}
bool SentTribute(const TMOVIMENTO& r) {
    return !Cancelled(r) && r.TIPRIC == "I" && r.NUMFLU >= 1;
}
bool SentRelease(const TMOVIMENTO& r) {
    return r.TIPRIC == "R" && r.NUMFLU > 0;
}
bool Every(const TMOVIMENTO&) {
    return true;
}
bool NotSentByPec(const TMOVIMENTO& r) {
    return r.DATPEC < 10000;
}

// Deletion filters.
bool UnsentInsertion(const TMOVIMENTO& r) {
    return Unsent(r) && !Cancelled(r) && r.TIPRIC == "I";
}
bool UnsentCancellation(const TMOVIMENTO& r) {
    return Unsent(r) && !Cancelled(r) && r.TIPRIC == "C";
}
bool UnsentNotCancellation(const TMOVIMENTO& r) {
    return Unsent(r) && !Cancelled(r) && !(r.TIPRIC == "C");
}

std::vector<QString> RegisterTexts(const TMOVIMENTO& r, bool withFlow) {
    const bool production = IsProduction(r);
    std::vector<QString> t;
    t.push_back(Date(r.DATMOV));
    t.push_back(production ? "PRODUZIONE" : "LAVAGGIO");
    t.push_back(production ? Text(r.NUMDOC) + " del " + Date(r.DATDOC) : QString());
    t.push_back(production ? Date(r.DATPEC) + " alle " + Text(r.MITDES) : QString());
    t.push_back(production ? Amount(r.LITPRO) : QString());
    t.push_back(production ? Amount(r.GRAPLA) : QString());
    t.push_back(QString::number(r.INTER1) + " - " + QString::number(r.INTER2));
    t.push_back(production ? Text(r.PRODAZ) : QString());
    t.push_back(Text(r.ANNOTA));
    if (withFlow) t.push_back(QString::fromStdString(FlowReference(r)));
    return t;
}
std::vector<QString> RegisterTextsWithoutFlow(const TMOVIMENTO& r) {
    return RegisterTexts(r, false);
}
std::vector<QString> RegisterTextsWithFlow(const TMOVIMENTO& r) {
    return RegisterTexts(r, true);
}

std::vector<QString> TributeTexts(const TMOVIMENTO& r) {
    QString kind;
    if (r.TIPREC == "E") kind = "ACCISE - E ";
    if (r.TIPREC == "R") kind = "RAVVEDIMENTO-R";
    return {kind, Text(r.CODPAE) + "-" + Text(r.ANNPRO), Amount(r.QUANTI, 2, 8),
            QString::fromStdString(FlowReference(r)), Text(r.ANNOTA)};
}

std::vector<QString> RequestTexts(const TMOVIMENTO& r) {
    return {Date(r.DATMOV), QString::number(r.INTER1), Text(r.ANNPRO), Text(r.NUMPRO),
            Text(r.ANNOTA)};
}

std::vector<QString> RawMaterialTexts(const TMOVIMENTO& r) {
    return {Date(r.DATMOV),
            r.TIPMOV == "C" ? QStringLiteral("CARICO") : QStringLiteral("SCARICO"),
            Text(r.NUMDOC) + " del " + Date(r.DATDOC),
            Text(r.PRODDO),
            Amount(r.QUANTI),
            Text(r.PRODAZ)};
}

std::vector<QString> PreventiveTexts(const TMOVIMENTO& r) {
    const QString sent =
        r.DATPEC < 10000 ? QString("- - -") : Date(r.DATPEC) + " - " + Text(r.MITDES);
    return {Date(r.DATMOV), QString::number(r.INTER2),
            Text(r.PRODAZ), Amount(r.LITPRO, 2),
            Text(r.NUMDOC), sent};
}

const std::vector<ChooserColumn> kRegisterColumns = {
    {"DATA MOV.", 11},       {"CAUSALE", 12},       {"N. e DATA DOCUMENTO", 20},
    {"DATA e ORA PEC ", 17}, {"LITRI", 6},          {"GRADO", 6},
    {"MISURATORE", 11},      {"Tipo di birra", 14}, {"NOTA", 5}};
std::vector<ChooserColumn> RegisterColumnsWithFlow() {
    auto c = kRegisterColumns;
    c.push_back({"N. FLUSSO", 10});
    return c;
}
const std::vector<ChooserColumn> kTributeColumns = {
    {"TIPO RECORD", 15}, {"PERIODO", 11}, {"IMPORTO", 12}, {"N. FLUSSO", 10}, {"NOTA", 6}};
const std::vector<ChooserColumn> kRequestColumns = {
    {"VALIDO DAL", 11}, {"FAM.", 5}, {"ANNO", 5}, {"N.PROT.", 8}, {"TITOLO", 7}};
const std::vector<ChooserColumn> kRawMaterialColumns = {
    {"DATA MOV.", 11},   {"TIPO MOV.", 10}, {"N. e DATA DOCUMENTO", 20},
    {"MATERIA PR.", 12}, {"Quantità", 9},   {"Fornitore", 11}};
const std::vector<ChooserColumn> kPreventiveColumns = {{"DATA", 11},          {"NUM.", 5},
                                                       {"TIPO DI BIRRA", 14}, {"LITRI", 6},
                                                       {"TINI", 5},           {"DATA e ORA", 19}};

const std::vector<ChooserMode>& ChooserModes() {
    using K = MovementFileKind;
    static const std::vector<ChooserMode> modes = {
        {'M', "MODIFICA UNA PRODUZIONE O UN LAVAGGIO NON INVIATO", K::Register, true,
         kRegisterColumns, UnsentActive, RegisterTextsWithoutFlow},
        {'E', "RETTIFICA: cancella un movimento già inviato al sistema telematico", K::Register,
         true, RegisterColumnsWithFlow(), SentInsertion, RegisterTextsWithFlow},
        {'e', "RETTIFICA: modifica i dati di un movimento già inviato al sistema telematico",
         K::Register, true, RegisterColumnsWithFlow(), SentInsertion, RegisterTextsWithFlow},
        {'D', "MOSTRA I DETTAGLI DI UN MOVIMENTO ", K::Register, true, RegisterColumnsWithFlow(),
         Active, RegisterTextsWithFlow},
        {'T', "RETTIFICA: cancella tributi già inviati", K::Tributes, false, kTributeColumns,
         SentTribute, TributeTexts},
        {'t', "RETTIFICA: modifica i dati dei tributi già inviati", K::Tributes, false,
         kTributeColumns, SentTribute, TributeTexts},
        {'A', "ANNULLA REGISTRO TELEMATICO", K::Requests, true, kRequestColumns, SentRelease,
         RequestTexts},
        {'F', "CHIUSURA DEL REGISTRO TELEMATICO", K::Requests, true, kRequestColumns, SentRelease,
         RequestTexts},
        {'P', "REGISTRA IL PROTOCOLLO ATTRIBUITO", K::Requests, true, kRequestColumns, SentRelease,
         RequestTexts},
        {'m', "MODIFICA IL REGISTRO TELEMATICO", K::Requests, true, kRequestColumns, SentRelease,
         RequestTexts},
        {'C', "ARCHIVIO COMUNICAZIONI PREVENTIVE", K::Preventive, true, kPreventiveColumns, Every,
         PreventiveTexts},
        {'I', "COMUNICAZIONI PREVENTIVE DA INVIARE", K::Preventive, true, kPreventiveColumns,
         NotSentByPec, PreventiveTexts},
        {kRawMaterialChooserMode, "MODIFICA UN MOVIMENTO DI MATERIA PRIMA", K::RawMaterials, false,
         kRawMaterialColumns, Every, RawMaterialTexts, true},
    };
    return modes;
}

const std::vector<DeletionMode>& DeletionModes() {
    using K = MovementFileKind;
    static const std::vector<DeletionMode> modes = {
        {'C', 1, "Cancella produzioni e lavaggi non ancora inviati al servizio telematico",
         K::Register, UnsentInsertion, false},
        {'c', 2,
         "Cancella le rettifiche di produzioni e lavaggi non ancora inviate al servizio "
         "telematico",
         K::Register, UnsentCancellation, true},
        {'T', 3, "Cancella i record tributi E,R, non ancora inviati al servizio telematico",
         K::Tributes, UnsentNotCancellation, false},
        {'t', 4,
         "Cancella le rettifiche dei tributi E,R, non ancora inviate al servizio telematico",
         K::Tributes, UnsentCancellation, true},
        {'P', 5, "Cancella i movimenti di carico e scarico delle materie prime", K::RawMaterials,
         Every, false},
        {'R', 6, "Cancella le richieste dei Registri Telematici", K::Requests, Every, false},
        {'p', 7, "Cancella le comunicazioni preventive", K::Preventive, Every, false},
    };
    return modes;
}

QString RequestKind(const TMOVIMENTO& r) {
    if (r.TIPRIC == "R") return "RILASCIO ";
    if (r.TIPRIC == "M") return "MODIFICA ";
    if (r.TIPRIC == "A") return "ANNULLA ";
    if (r.TIPRIC == "F") return "CHIUSURA ";
    return {};
}

}  // namespace

fs::path MovementFilePath(const WorkFolders& folders, MovementFileKind kind, int year) {
    switch (kind) {
        case MovementFileKind::Register:
            return YearFile(folders.registri, year, ".RGM");
        case MovementFileKind::Tributes:
            return YearFile(folders.registri, year, ".DER");
        case MovementFileKind::RawMaterials:
            return YearFile(folders.registri, year, ".MPR");
        case MovementFileKind::Preventive:
            return YearFile(folders.registri, year, ".PRV");
        case MovementFileKind::Requests:
            return folders.requestsFile();
    }
    return {};
}

std::optional<int> AcceptedYear(const QString& text) {
    const QString t = text.trimmed();
    if (t.size() != 4) return std::nullopt;
    for (QChar c : t)
        if (c < '0' || c > '9') return std::nullopt;
    const int year = t.toInt();
    if (year < kFirstYear || year > kLastYear) return std::nullopt;
    return year;
}

bool IsProduction(const TMOVIMENTO& r) {
    return r.CODMOV == "114";
}

std::string FlowReference(const TMOVIMENTO& r) {
    return FlowNameSuffix(r.NUMFLU, r.DATFLU);
}

const ChooserMode* FindChooserMode(QChar letter) {
    for (const ChooserMode& m : ChooserModes())
        if (m.letter == letter) return &m;
    return nullptr;
}

std::vector<tables::ListRow> ChooserRows(const ChooserMode& mode,
                                         const std::vector<TMOVIMENTO>& records) {
    std::vector<tables::ListRow> rows;
    auto add = [&](TMOVIMENTO r) {
        if (!mode.listed(r)) return;
        TrimMovement(r);
        tables::ListRow row;
        row.number = r.NUMOPE;
        for (const QString& text : mode.texts(r))
            row.columns.push_back(text.isEmpty() ? std::string(" ") : ui::ToRecord(text));
        rows.push_back(std::move(row));
    };
    if (mode.newestFirst)
        std::for_each(records.rbegin(), records.rend(), add);
    else
        std::for_each(records.begin(), records.end(), add);
    return rows;
}

std::vector<int> ChooserWidths(const ChooserMode& mode, const std::vector<tables::ListRow>& rows) {
    std::vector<int> widths;
    for (const ChooserColumn& c : mode.columns) widths.push_back(c.width);
    for (const tables::ListRow& row : rows)
        for (std::size_t c = 0; c < row.columns.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], static_cast<int>(row.columns[c].size()));
    return widths;
}

const DeletionMode* FindDeletionMode(QChar letter) {
    for (const DeletionMode& m : DeletionModes())
        if (m.letter == letter) return &m;
    return nullptr;
}

QChar DeletionModeOfTag(int tag) {
    for (const DeletionMode& m : DeletionModes())
        if (m.tag == tag) return m.letter;
    return {};
}

QString DeletionLine(QChar mode, const TMOVIMENTO& r) {
    switch (mode.unicode()) {
        case 'C':
        case 'c':
            if (IsProduction(r))
                return " PRODUZIONE del " + Date(r.DATMOV) + " litri " + Amount(r.LITPRO) +
                       " | grado " + Amount(r.GRAPLA) + "  - " + Text(r.PRODAZ);
            return " LAVAGGIO del " + Date(r.DATMOV) + " - iniziale " + QString::number(r.INTER1) +
                   "  finale " + QString::number(r.INTER2);
        case 'T':
        case 't':
            if (r.TIPREC == "R")
                return Text(r.CODPAE) + "/" + Text(r.ANNPRO) +
                       " ravvedimento |maggiori tributi: " + Amount(r.QUANTI, 2) +
                       " |sanzione: " + Amount(r.ETTOGR, 2) + " |interessi: " + Amount(r.DATPEC, 2);
            return Text(r.CODPAE) + "/" + Text(r.ANNPRO) + " accisa a debito " +
                   Amount(r.QUANTI, 2) + "  capitolo " + Text(r.MITDES);
        case 'P':
            return QString(r.TIPMOV == "C" ? " CARICO del " : " SCARICO del ") + Date(r.DATMOV) +
                   " quantità " + Amount(r.QUANTI) + " | " + Text(r.PRODDO) + " " + Text(r.PRODAZ);
        case 'R':
            return RequestKind(r) + "valido dal " + Date(r.DATMOV) + " fam." +
                   QString::number(r.INTER1) + " anno: " + Text(r.ANNPRO) + " n.prot. " +
                   Text(r.NUMPRO) + " " + Text(r.ANNOTA);
        case 'p':
            return Date(r.DATMOV) + " N° " + QString::number(r.INTER2) + " " + Text(r.PRODAZ) +
                   " quantità " + Amount(r.LITPRO);
        default:
            return {};
    }
}

bool UndoRectification(std::vector<TMOVIMENTO>& records, std::int32_t rifope) {
    bool changed = false;
    for (std::size_t i = 0; i < records.size();) {
        TMOVIMENTO& r = records[i];
        if (r.NUMOPE == rifope && r.STATO == "C") {
            r.STATO.set(" ");
            changed = true;
        }
        if (r.RIFOPE == rifope && r.STATO == "R") {
            records.erase(records.begin() + static_cast<std::ptrdiff_t>(i));
            changed = true;
            continue;  // the next record has moved into this place
        }
        ++i;
    }
    return changed;
}

}  // namespace braxol::production
