// The signing stand-in run as a script runs it (--once): real processes on the folders of a
// temporary work folder, its signatures checked with the openssl command.

#include <gtest/gtest.h>

#include <string>

#include "store/config_files.h"
#include "support/record_builders.h"
#include "support/shell_command.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

namespace fs = std::filesystem;
using test::FileBytes;
using test::FolderNames;
using test::WriteFileBytes;

using Outcome = test::ShellOutcome;
using test::RunShell;

std::string Quoted(const fs::path& p) {
    return test::ShellQuoted(p.string());
}

fs::perms PermsOf(const fs::path& p) {
    return fs::status(p).permissions() & fs::perms::all;
}

class FirmaTool : public ::testing::Test {
protected:
    test::TempWorkFolder work;
    fs::path toSign = work.root() / "firma" / "DAFIRMARE";
    fs::path signedFiles = work.root() / "firma" / "FIRMATI";
    fs::path config = work.root() / "config";
    fs::path settings = config / "braxol-firma";
    const std::string flow = "ABCD            ABCD0315.C01\r\nBRAXOL\tx\r\n";

    void SetUp() override {
        fs::create_directories(toSign);
        fs::create_directories(signedFiles);
        TUTENTE company = BlankTutente();
        company.CODUTE.set("ABCD");
        company.CAUESO.set("C");
        WriteCompany(work.folders().companyFile(), company);
        TTABELLA paths = BlankTabella();
        paths.text[1].set(toSign.string() + "/");
        paths.text[2].set(signedFiles.string() + "/");
        WriteConfigRecord(work.folders().applFile(), paths);
        WriteFileBytes(toSign / "ABCD0315.C01", flow);
    }

    // braxol-firma --once from the work folder, with its own settings folder and no terminal.
    Outcome Firma() const {
        return RunShell("cd " + Quoted(work.root()) + " && XDG_CONFIG_HOME=" + Quoted(config) +
                        " " BRAXOL_FIRMA_TOOL " --once < /dev/null");
    }

    // openssl's verification of a signed file with a certificate: the content it gives back.
    std::string Verified(const fs::path& signedFile, const fs::path& certificate) const {
        const fs::path out = work.root() / "verified";
        fs::remove(out);
        const Outcome r =
            RunShell("openssl cms -verify -binary -inform DER -in " + Quoted(signedFile) +
                     " -CAfile " + Quoted(certificate) + " -out " + Quoted(out));
        EXPECT_EQ(r.status, 0) << r.out;
        return FileBytes(out);
    }
};

TEST_F(FirmaTool, SignsTheUsersWaitingFlowsWithATestCertificateMadeOnce) {
    WriteFileBytes(toSign / "ABCD0315.C02", "already signed");
    WriteFileBytes(signedFiles / "ABCD0315.C02.p7m", "kept as it is");
    WriteFileBytes(toSign / "WXYZ0315.C01", "another user's");
    WriteFileBytes(toSign / "ABCD0315.C03.~123-0", "being written");
    WriteFileBytes(toSign / "ABCD-note.txt", "not a flow");

    const Outcome first = Firma();
    EXPECT_EQ(first.status, 0) << first.out;
    EXPECT_NE(first.out.find("firmato: " + (signedFiles / "ABCD0315.C01.p7m").string()),
              std::string::npos)
        << first.out;
    EXPECT_NE(first.out.find("Creato ora il certificato di prova"), std::string::npos) << first.out;
    EXPECT_EQ(FolderNames(signedFiles),
              (std::vector<std::string>{"ABCD0315.C01.p7m", "ABCD0315.C02.p7m"}));
    EXPECT_EQ(FileBytes(signedFiles / "ABCD0315.C02.p7m"), "kept as it is");
    EXPECT_EQ(Verified(signedFiles / "ABCD0315.C01.p7m", settings / "certificato-prova.pem"), flow);

    // The test certificate is the user's alone, and made only once.
    EXPECT_EQ(PermsOf(settings), fs::perms::owner_all);
    EXPECT_EQ(PermsOf(settings / "chiave-prova.pem"),
              fs::perms::owner_read | fs::perms::owner_write);
    const std::string certificate = FileBytes(settings / "certificato-prova.pem");
    WriteFileBytes(toSign / "ABCD0316.C01", "the next day");
    const Outcome second = Firma();
    EXPECT_EQ(second.status, 0) << second.out;
    EXPECT_EQ(second.out.find("Creato ora"), std::string::npos) << second.out;
    EXPECT_NE(second.out.find("Certificato di prova"), std::string::npos) << second.out;
    EXPECT_EQ(FileBytes(settings / "certificato-prova.pem"), certificate);
    EXPECT_EQ(Verified(signedFiles / "ABCD0316.C01.p7m", settings / "certificato-prova.pem"),
              "the next day");
    EXPECT_EQ(FolderNames(signedFiles).size(), 3u);
}

class FirmaToolPkcs12 : public FirmaTool {
protected:
    fs::path certificate = work.root() / "mario.pem";
    fs::path p12 = work.root() / "mario.p12";
    fs::path password = work.root() / "password.txt";

    void SetUp() override {
        FirmaTool::SetUp();
        const fs::path key = work.root() / "mario-key.pem";
        const Outcome made = RunShell(
            "openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj '/CN=Mario Rossi' -keyout " +
            Quoted(key) + " -out " + Quoted(certificate) + " && openssl pkcs12 -export -in " +
            Quoted(certificate) + " -inkey " + Quoted(key) + " -out " + Quoted(p12) +
            " -passout pass:Segreta1");
        ASSERT_EQ(made.status, 0) << made.out;
        fs::create_directories(settings);
        WriteFileBytes(settings / "firma.conf", "# il mio certificato\ncertificato = " +
                                                    p12.string() + "\npassword = password.txt\n");
    }
    void writePassword(const std::string& text, fs::perms perms) {
        WriteFileBytes(settings / "password.txt", text);
        fs::permissions(settings / "password.txt", perms);
    }
};

TEST_F(FirmaToolPkcs12, SignsWithTheConfiguredCertificate) {
    writePassword("Segreta1\n", fs::perms::owner_read | fs::perms::owner_write);
    const Outcome r = Firma();
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(Verified(signedFiles / "ABCD0315.C01.p7m", certificate), flow);
    EXPECT_FALSE(fs::exists(settings / "certificato-prova.pem"));
}

TEST_F(FirmaToolPkcs12, RefusesWhatCannotSignRightAndSignsNothing) {
    struct Case {
        std::string password;
        fs::perms perms;
        std::string message;
    } cases[] = {
        {"Segreta1", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
         "accessibile ad altri utenti"},
        {"Sbagliata", fs::perms::owner_read | fs::perms::owner_write, "password errata"},
    };
    for (const auto& c : cases) {
        writePassword(c.password, c.perms);
        const Outcome r = Firma();
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
        EXPECT_TRUE(FolderNames(signedFiles).empty());
    }
    // No password file and no terminal to ask on.
    WriteFileBytes(settings / "firma.conf", "certificato = " + p12.string() + "\n");
    const Outcome r = Firma();
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_NE(r.out.find("password del certificato non indicata"), std::string::npos) << r.out;
    // A setting it does not know.
    WriteFileBytes(settings / "firma.conf", "certificate = " + p12.string() + "\n");
    EXPECT_NE(Firma().out.find("impostazione sconosciuta"), std::string::npos);
    EXPECT_TRUE(FolderNames(signedFiles).empty());
}

TEST_F(FirmaTool, WithoutTheSigningFoldersItSaysWhere) {
    WriteConfigRecord(work.folders().applFile(), BlankTabella());
    const Outcome r = Firma();
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_NE(r.out.find("APPL.CFG"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace braxol
