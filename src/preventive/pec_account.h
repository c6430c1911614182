#pragma once
// The certified e-mail account of the brewery, DATI_GEN/ACCOUNT_PEC.DAT: one table record
// with the SMTP server (text slot 0), the brewery's PEC address (1), the mailbox password (2),
// the customs addresses separated by commas (3), the port choice 0/1/2 for 25/465/587
// (integer 0), and the flags SSL (1), authentication (2) and copy to the brewery's own address
// (3). The file holds a password: it is written for its owner only.

#include <QString>
#include <filesystem>
#include <optional>

#include "store/records.h"

namespace braxol::preventive {

namespace fs = std::filesystem;

struct PecAccount {
    QString server;
    QString sender;
    QString password;
    QString recipients;
    int portChoice = 0;
    bool ssl = false;
    bool authentication = false;  // kept for the account window; the client logs in when offered
    bool copyToSelf = false;
};

PecAccount AccountFromRecord(const TTABELLA& record);
TTABELLA RecordOfAccount(const PecAccount& account);

// The account; nothing when the file is missing. A damaged file throws DamagedFileError, a
// file that cannot be told there or not (a loop of links) IoError.
std::optional<PecAccount> ReadPecAccount(const fs::path& file);
// Replaces the file with a fresh record of the account. Throws IoError.
void WritePecAccount(const fs::path& file, const PecAccount& account);

}  // namespace braxol::preventive
