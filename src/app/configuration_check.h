#pragma once
// The readiness check that guards most menu entries: company data entered, signing folders
// and customs web addresses given, and the password-expiry warnings.

#include <QString>
#include <string_view>

#include "app/run_state.h"

class QWidget;

namespace braxol::app {

// The customs access page written into a company record that has none (100 + 17 characters).
inline constexpr std::string_view kDefaultAccessAddress1 =
    "https://telematico.agenziadogane.it/TelematicoFunzioniDiAccessoWEB/"
    "FunzioniDiAccessoAutServlet?UC=1&";
inline constexpr std::string_view kDefaultAccessAddress2 = "SC=1&ST=1";

// The message of a failed check followed by the menu entry where the missing piece is filled
// in, so that a new user knows where to go.
QString MissingPieceMessage(const QString& text, const char* action);

inline const QString kNoCompanyData =
    MissingPieceMessage("NON SONO STATI COMPILATI I DATI AZIENDALI", "Action9");
inline const QString kNoSigningPaths =
    MissingPieceMessage("NON SONO STATI INDICATI I PERCORSI DELLE APPLICAZIONI", "Action10");
inline const QString kNoWebAddresses =
    MissingPieceMessage("NON SONO STATI INDICATI I PERCORSI WEB", "Action11");
// The signing paths of a data folder copied from a Windows computer: each Windows path of the
// paths record with the caption of its field, and where to change them. Empty when there is
// none.
QString WindowsPathsMessage(const TTABELLA& paths);
inline constexpr const char* kPasswordExpired =
    "Attenzione la password per il Sistema Telematico è scaduta!";

// The pieces the check asks for, as they stand in the records: the meter type that marks the
// company data as entered; both signing folders given; no Windows path among the signing
// paths; the addresses of the real and the test environment given.
bool CompanyDataEntered(const TUTENTE& company);
bool SigningFoldersGiven(const TTABELLA& paths);
bool SigningPathsOfThisComputer(const TTABELLA& paths);
bool WebAddressesGiven(const TTABELLA& web);

// Refreshes the company, paths and web records of the state and reports every failed check;
// true when none failed.
bool CheckConfiguration(RunState& state, QWidget* parent);

// Creates UTENTE.001 with a blank record when missing; runs the check; returns the text of
// the status line.
QString RefreshStatusLine(RunState& state, QWidget* parent);

}  // namespace braxol::app
