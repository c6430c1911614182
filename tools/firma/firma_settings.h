#pragma once
// The settings of braxol-firma: which certificate signs. They live in the user's own
// configuration folder ($XDG_CONFIG_HOME/braxol-firma, or ~/.config/braxol-firma), in the file
// "firma.conf":
//
//   # the PKCS#12 file (.p12, .pfx) with the signing certificate and its private key
//   certificato = /home/birraio/firma/certificato.p12
//   # a file readable by its owner only (chmod 600) holding the certificate's password;
//   # without it the password is asked
//   password = /home/birraio/firma/password.txt
//
// Relative paths are taken from the settings folder. Without a certificate the program signs
// with a self-signed test certificate that it creates there once.

#include <filesystem>
#include <string>

#include "firma_error.h"

namespace braxol::firma {

namespace fs = std::filesystem;

inline constexpr const char* kSettingsFileName = "firma.conf";

struct Settings {
    fs::path folder;        // the settings folder
    fs::path certificate;   // PKCS#12 file; empty: the test certificate
    fs::path passwordFile;  // empty: the password is asked
};

fs::path SettingsFolder();

// Reads folder/firma.conf; a missing file gives the defaults. Throws FirmaError.
Settings ReadSettings(const fs::path& folder);

// The password held in the file, without its final line end. The file must be readable and
// writable by its owner only. Throws FirmaError.
std::string ReadPasswordFile(const fs::path& file);

}  // namespace braxol::firma
