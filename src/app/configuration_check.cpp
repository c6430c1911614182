#include "app/configuration_check.h"

#include "app/menu_layout.h"

#include <QWidget>
#include <cmath>

#include "store/config_files.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "store/paths.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::app {
namespace {

// Writes the default access address when the stored one is not a web address.
void RepairAccessAddress(RunState& state, QWidget* parent) {
    if (AccessAddress(state.company).find("http") != std::string::npos) return;
    state.company.INDACC1.set(kDefaultAccessAddress1);
    state.company.INDACC2.set(kDefaultAccessAddress2);
    try {
        WriteCompany(state.folders.companyFile(), state.company);
    } catch (const IoError& e) {
        ui::ShowIoError(parent, e);
    }
}

void PasswordWarnings(RunState& state, QWidget* parent) {
    const double changed = ParseDate(state.company.DATPSW.trimmed()).value_or(0.0);
    if (changed <= 1000) return;
    const double today = ui::Today();
    if (today > changed + 90) {
        ui::Warn(parent, kPasswordExpired);
    } else if (today > changed + 80 && state.warningCounter < 3) {
        ++state.warningCounter;
        const auto daysLeft = static_cast<long>(std::lround(changed + 90 - today));
        ui::Warn(parent,
                 QString("Attenzione la password per il Sistema Telematico scadrà tra %1 giorni")
                     .arg(daysLeft));
    }
}

// A signing folder must be given and start with a visible character.
bool MissingFolder(const PStr<250>& slot) {
    const std::string s = slot.str();
    return s.empty() || static_cast<unsigned char>(s[0]) < '!';
}

}  // namespace

bool CompanyDataEntered(const TUTENTE& company) {
    return company.CAUESO == "C" || company.CAUESO == "E";
}

bool SigningFoldersGiven(const TTABELLA& paths) {
    return !MissingFolder(paths.text[1]) && !MissingFolder(paths.text[2]);
}

bool SigningPathsOfThisComputer(const TTABELLA& paths) {
    return WindowsSigningPaths(paths).empty();
}

bool WebAddressesGiven(const TTABELLA& web) {
    return !web.text[3].trimmed().empty() && !web.text[5].trimmed().empty();
}

QString MissingPieceMessage(const QString& text, const char* action) {
    return text + QStringLiteral("\n\nDal menu: ") + MenuPath(action);
}

QString WindowsPathsMessage(const TTABELLA& paths) {
    const std::vector<StoredPath> found = WindowsSigningPaths(paths);
    if (found.empty()) return {};
    QString text = QStringLiteral(
        "I PERCORSI DELLE APPLICAZIONI INDICATI QUI SOTTO SONO DI WINDOWS E NON VALGONO SU "
        "QUESTO COMPUTER: sostituirli con quelli di questo computer.\n");
    for (const StoredPath& path : found)
        text += QStringLiteral("\n%1: %2")
                    .arg(QString::fromUtf8(path.caption), ui::FromField(paths.text[path.slot]));
    return MissingPieceMessage(text, "Action10");
}

bool CheckConfiguration(RunState& state, QWidget* parent) {
    bool ok = true;
    state.company = BlankTutente();
    if (auto company = ReadCompanyOrNothing(state.folders.companyFile())) {
        state.company = *company;
        RepairAccessAddress(state, parent);
        PasswordWarnings(state, parent);
        TrimTutente(state.company);
    }
    if (!CompanyDataEntered(state.company)) {
        ui::Warn(parent, kNoCompanyData);
        ok = false;
    }
    state.paths = ReadConfigRecordOrBlank(state.folders.applFile());
    if (!SigningFoldersGiven(state.paths)) {
        ui::Warn(parent, kNoSigningPaths);
        ok = false;
    }
    // Paths of a data folder copied from Windows name nothing here: the first flow would fail.
    if (const QString windows = WindowsPathsMessage(state.paths); !windows.isEmpty()) {
        ui::Warn(parent, windows);
        ok = false;
    }
    state.web = ReadConfigRecordOrBlank(state.folders.webFile());
    if (!WebAddressesGiven(state.web)) {
        ui::Warn(parent, kNoWebAddresses);
        ok = false;
    }
    return ok;
}

QString RefreshStatusLine(RunState& state, QWidget* parent) {
    const auto file = state.folders.companyFile();
    try {
        if (!PathExists(file)) WriteCompany(file, BlankTutente());
    } catch (const IoError& e) {
        ui::ShowIoError(parent, e);
    }
    CheckConfiguration(state, parent);
    const QString meter = state.company.CAUESO == "C" ? " - Contalitri" : " - Mis. Energetico";
    return QString::fromStdString(state.folders.root.string()) + "   *** " + meter;
}

}  // namespace braxol::app
