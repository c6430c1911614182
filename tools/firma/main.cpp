// braxol-firma: a stand-in for the customs signing program, for brewers who hold their
// signing certificate as a file and for trying BRAXOL out.
//
//   braxol-firma                       signs the waiting flows and shows a small window that
//                                      keeps signing the flows that arrive while it is open
//   braxol-firma --once                signs the waiting flows and ends (for scripts)
//   braxol-firma --cartella CARTELLA   the BRAXOL work folder (default: the current folder)
//
// It reads the folders of DATI_GEN/APPL.CFG and the user code of DATI_GEN/UTENTE.001, and for
// every flow of that user code in the folder of files to sign without a signed twin writes
// flow name + ".p7m" into the folder of signed files: a CMS SignedData (DER) with the flow
// attached. The certificate is set in the settings (see firma_settings.h).

#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "firma_flows.h"
#include "firma_settings.h"
#include "firma_signer.h"
#include "firma_window.h"

namespace {

using namespace braxol::firma;
namespace fs = std::filesystem;

constexpr int kSomeNotSigned = 1;
constexpr int kFailure = 2;

int Usage(std::ostream& out, int code) {
    out << "uso: braxol-firma [--once] [--cartella CARTELLA]\n"
           "  firma i flussi in attesa nella cartella dei file da firmare di BRAXOL.\n"
           "  --once       firma e termina, senza finestra\n"
           "  --cartella   la cartella di lavoro di BRAXOL (predefinita: quella corrente)\n"
           "  impostazioni: "
        << (SettingsFolder() / kSettingsFileName).string() << "\n";
    return code;
}

// Asks the password on the terminal without showing it; nothing without a terminal.
std::optional<std::string> AskOnTerminal(const fs::path& certificate) {
    if (!::isatty(STDIN_FILENO)) return std::nullopt;
    std::cerr << "Password del certificato " << certificate.string() << ": " << std::flush;
    termios saved{};
    const bool hidden = ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hidden) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string password;
    std::getline(std::cin, password);
    if (hidden) ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    std::cerr << "\n";
    return password;
}

std::optional<std::string> AskInWindow(const fs::path& certificate) {
    bool ok = false;
    const QString password = QInputDialog::getText(
        nullptr, QStringLiteral("braxol-firma"),
        QStringLiteral("Password del certificato ") + QString::fromStdString(certificate.string()),
        QLineEdit::Password, {}, &ok);
    if (!ok) return std::nullopt;
    return password.toStdString();
}

// The signer of the settings; `notice` gets what the user should know about it.
template <class Ask>
Signer MakeSigner(const Settings& settings, std::string& notice, Ask ask) {
    if (settings.certificate.empty()) {
        bool created = false;
        Signer signer = Signer::TestCertificate(settings.folder, &created);
        notice =
            std::string(created ? "Creato ora il certificato di prova " : "Certificato di prova ") +
            (settings.folder / kTestCertificateName).string() +
            ": le firme servono solo per provare, la dogana non le accetta. Per firmare "
            "davvero indicare il proprio certificato PKCS#12 in " +
            (settings.folder / kSettingsFileName).string() + ".";
        return signer;
    }
    std::optional<std::string> password;
    if (!settings.passwordFile.empty())
        password = ReadPasswordFile(settings.passwordFile);
    else
        password = ask(settings.certificate);
    if (!password) throw FirmaError("password del certificato non indicata: nessun flusso firmato");
    return Signer::FromPkcs12(settings.certificate, *password);
}

int Once(const fs::path& workFolder) {
    try {
        std::string notice;
        const Signer signer = MakeSigner(ReadSettings(SettingsFolder()), notice, AskOnTerminal);
        if (!notice.empty()) std::cerr << notice << "\n";
        int failures = 0;
        for (const SigningResult& r : SignPending(ReadWorkSetup(workFolder), signer)) {
            if (r.error.empty()) {
                std::cout << "firmato: " << r.signedFile.string() << "\n";
            } else {
                ++failures;
                std::cerr << r.flow << ": NON FIRMATO: " << r.error << "\n";
            }
        }
        return failures ? kSomeNotSigned : 0;
    } catch (const FirmaError& e) {
        std::cerr << "braxol-firma: " << e.what() << "\n";
        return kFailure;
    }
}

int Windowed(int argc, char** argv, const fs::path& workFolder) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("braxol-firma"));
    try {
        std::string notice;
        Signer signer = MakeSigner(ReadSettings(SettingsFolder()), notice, AskInWindow);
        FirmaWindow window(std::move(signer), workFolder, QString::fromStdString(notice));
        window.show();
        return app.exec();
    } catch (const FirmaError& e) {
        QMessageBox::critical(nullptr, QStringLiteral("braxol-firma"),
                              QString::fromStdString(e.what()));
        return kFailure;
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool once = false;
    fs::path workFolder = fs::current_path();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--once") {
            once = true;
        } else if (arg == "--cartella" && i + 1 < argc) {
            workFolder = fs::absolute(argv[++i]);
        } else if (arg == "--help" || arg == "-h") {
            return Usage(std::cout, 0);
        } else {
            std::cerr << "argomento sconosciuto: " << arg << "\n";
            return Usage(std::cerr, kFailure);
        }
    }
    return once ? Once(workFolder) : Windowed(argc, argv, workFolder);
}
