#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "store/config_files.h"
#include "store/io_error.h"
#include "store/lock.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/record_fields.h"
#include "store/record_file.h"
#include "support/record_builders.h"
#include "support/scripted_lock_prompt.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using test::Day;
using test::FileBytes;
using test::FolderNames;
using test::NoSelection;
using test::Production;
using test::WriteFileBytes;

class FilesTest : public testing::Test {
protected:
    void SetUp() override { prompt.setMaxWaits(0); }

    // No marker and no temporary file beside the data files.
    void ExpectNoLeftovers(const fs::path& folder) {
        for (const auto& name : FolderNames(folder)) {
            EXPECT_EQ(name.find('$'), std::string::npos) << "marker left: " << name;
            EXPECT_EQ(name.find(".~"), std::string::npos) << "temporary left: " << name;
        }
    }

    test::TempWorkFolder tmp;
    test::ScriptedLockPrompt prompt;
    test::ScopedLockPrompt installed{prompt};
};

// ---- Damaged files ------------------------------------------------------------------------

struct DamagedCase {
    const char* name;
    const char* fileName;  // in REGISTRI
    std::size_t recordSize;
    std::function<void(const fs::path&)> operation;
};

void PrintTo(const DamagedCase& c, std::ostream* os) {
    *os << c.name;
}

class DamagedFile : public FilesTest,
                    public testing::WithParamInterface<std::tuple<DamagedCase, std::size_t>> {};

// A file that does not hold whole records is reported, with its name and size, by every
// operation, and is left exactly as it was.
TEST_P(DamagedFile, IsReportedAndLeftAlone) {
    const auto& [c, extra] = GetParam();
    const fs::path file = tmp.registri(c.fileName);
    std::string bytes;
    for (std::size_t i = 0; i < 2 * c.recordSize + extra; ++i)
        bytes += static_cast<char>(i * 7 % 251);
    WriteFileBytes(file, bytes);
    const auto stamp = fs::last_write_time(file);
    try {
        c.operation(file);
        ADD_FAILURE() << c.name << " accepted a file of " << bytes.size() << " bytes";
    } catch (const DamagedFileError& e) {
        EXPECT_EQ(e.path(), file.string());
        EXPECT_EQ(e.size(), static_cast<long long>(bytes.size()));
        const std::string what = e.what();
        EXPECT_NE(what.find(file.string()), std::string::npos) << what;
        EXPECT_NE(what.find(std::to_string(bytes.size())), std::string::npos) << what;
        EXPECT_NE(e.italianMessage().find(file.string()), std::string::npos);
    }
    EXPECT_EQ(FileBytes(file), bytes);
    EXPECT_EQ(fs::last_write_time(file), stamp);
    ExpectNoLeftovers(tmp.folders().registri);
}

const DamagedCase kDamagedCases[] = {
    {"AddMovement", "2025.RGM", sizeof(TMOVIMENTO),
     [](const fs::path& f) { AddMovement(f, Production(Day(2025, 1, 1), 0, 1), NoSelection()); }},
    {"DeleteMovement", "2025.RGM", sizeof(TMOVIMENTO),
     [](const fs::path& f) { DeleteMovement(1, f); }},
    {"CancelOrRectify", "2025.RGM", sizeof(TMOVIMENTO),
     [](const fs::path& f) {
         TMOVIMENTO target = Production(Day(2025, 1, 1), 0, 1);
         target.NUMOPE = 1;
         CancelOrRectify(f, target, Production(Day(2025, 1, 1), 0, 2, "N"), RectifyMode::Rectify);
     }},
    {"ScanMovements", "2025.RGM", sizeof(TMOVIMENTO), [](const fs::path& f) { ScanMovements(f); }},
    {"OpenOrCreate", "2025.RGM", sizeof(TMOVIMENTO), [](const fs::path& f) { OpenOrCreate(f); }},
    {"RawMaterialStock", "2014.MPR", sizeof(TMOVIMENTO),
     [](const fs::path& f) {
         TMOVIMENTO q = BlankMovement();
         q.DATMOV = Day(2015, 1, 1);
         RawMaterialStock(f.parent_path(), q);
     }},
    {"WriteRecords", "2025.RGM", sizeof(TMOVIMENTO),
     [](const fs::path& f) {
         const std::vector<TMOVIMENTO> one{BlankMovement()};
         WriteRecords<TMOVIMENTO>(f, one);
     }},
    {"ReadCompany", "UTENTE.001", sizeof(TUTENTE), [](const fs::path& f) { ReadCompany(f); }},
    {"WriteCompany", "UTENTE.001", sizeof(TUTENTE),
     [](const fs::path& f) { WriteCompany(f, BlankTutente()); }},
    {"ReadConfigRecord", "APPL.CFG", sizeof(TTABELLA),
     [](const fs::path& f) { ReadConfigRecord(f); }},
    {"WriteConfigRecord", "APPL.CFG", sizeof(TTABELLA),
     [](const fs::path& f) { WriteConfigRecord(f, BlankTabella()); }},
};

INSTANTIATE_TEST_SUITE_P(Operations, DamagedFile,
                         testing::Combine(testing::ValuesIn(kDamagedCases),
                                          testing::Values(std::size_t{1}, std::size_t{100})),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_plus" +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST_F(FilesTest, ReadersThatTolerateFailuresGiveNothingOrBlank) {
    const fs::path company = tmp.datiGen("UTENTE.001");
    const fs::path config = tmp.datiGen("APPL.CFG");
    WriteFileBytes(company, std::string(609, 'x'));
    WriteFileBytes(config, std::string(5303, 'x'));
    EXPECT_FALSE(ReadCompanyOrNothing(company).has_value());
    const TTABELLA blank = ReadConfigRecordOrBlank(config);
    EXPECT_EQ(blank.number, 0);
    for (const auto& t : blank.text) EXPECT_EQ(t.trimmed(), "");
    EXPECT_EQ(FileBytes(company), std::string(609, 'x'));
    EXPECT_EQ(FileBytes(config), std::string(5303, 'x'));
}

// ---- Failed writes ------------------------------------------------------------------------

// A write that fails half way (the file-size limit of the process stops it) leaves the old
// file whole, removes the new one and releases the marker. Works for every user, root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a dead process
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        ::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    sighandler_t previousHandler_;
};

TEST_F(FilesTest, AWriteThatFailsHalfWayLeavesTheOldFile) {
    const fs::path file = tmp.registri("2025.RGM");
    for (int i = 0; i < 3; ++i)
        AddMovement(file, Production(Day(2025, 1, 1 + i), i * 10, i * 10 + 5), NoSelection());
    const std::string before = FileBytes(file);
    ASSERT_EQ(before.size(), 3u * 592);
    {
        FileSizeLimit limit(3 * 592 + 100);
        try {
            AddMovement(file, Production(Day(2025, 2, 1), 100, 200), NoSelection());
            ADD_FAILURE() << "the write did not fail";
        } catch (const IoError& e) {
            EXPECT_EQ(e.path(), file.string());
        }
        try {
            TMOVIMENTO target = ScanMovements(file)[1];
            CancelOrRectify(file, target, Production(Day(2025, 1, 2), 10, 16, "N"),
                            RectifyMode::Rectify);
            ADD_FAILURE() << "the write did not fail";
        } catch (const IoError&) {
        }
    }
    EXPECT_EQ(FileBytes(file), before);
    ExpectNoLeftovers(tmp.folders().registri);
    // and the next writer is not kept waiting
    EXPECT_EQ(AddMovement(file, Production(Day(2025, 2, 1), 100, 200), NoSelection()).NUMOPE, 4);
    EXPECT_EQ(prompt.busyCount(), 0);
}

TEST_F(FilesTest, AReadOnlyFolderRefusesTheWriteAndKeepsTheFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const fs::path file = tmp.registri("2025.RGM");
    AddMovement(file, Production(Day(2025, 1, 1), 0, 5), NoSelection());
    const std::string before = FileBytes(file);
    fs::permissions(tmp.folders().registri, fs::perms(0555));
    EXPECT_THROW(AddMovement(file, Production(Day(2025, 1, 2), 5, 9), NoSelection()), IoError);
    EXPECT_THROW(DeleteMovement(1, file), IoError);
    fs::permissions(tmp.folders().registri, fs::perms(0755));
    EXPECT_EQ(FileBytes(file), before);
    ExpectNoLeftovers(tmp.folders().registri);
}

TEST_F(FilesTest, AFolderThatIsAFileIsAnIoError) {
    WriteFileBytes(tmp.registri("NOTAFOLDER"), "x");
    const fs::path file = tmp.registri("NOTAFOLDER") / "2025.RGM";
    EXPECT_THROW(AddMovement(file, Production(Day(2025, 1, 1), 0, 1), NoSelection()), IoError);
    EXPECT_THROW(ScanMovements(file), IoError);
    EXPECT_THROW(WriteCompany(file, BlankTutente()), IoError);
    EXPECT_EQ(FileBytes(tmp.registri("NOTAFOLDER")), "x");
}

TEST_F(FilesTest, ReplacingKeepsTheModeOfAnExistingFile) {
    const fs::path file = tmp.registri("2025.RGM");
    AddMovement(file, Production(Day(2025, 1, 1), 0, 5), NoSelection());
    const mode_t previousMask = ::umask(022);
    for (mode_t mode : {0640, 0666, 0600}) {
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        AddMovement(file, Production(Day(2025, 1, 2), 5, 9), NoSelection());
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, mode) << std::oct << mode;
    }
    ::umask(previousMask);
}

// ---- Letter case of a folder copied from Windows ------------------------------------------

TEST_F(FilesTest, ResolvePathFindsOtherLetterCase) {
    const fs::path root = tmp.root() / "copia";
    fs::create_directories(root / "dati_gen");
    fs::create_directories(root / "Registri");
    WriteFileBytes(root / "Registri" / "2025.rgm", "");
    WriteFileBytes(root / "dati_gen" / "Utente.001", "");

    EXPECT_EQ(ResolvePath(root / "DATI_GEN"), root / "dati_gen");
    EXPECT_EQ(ResolvePath(root / "REGISTRI" / "2025.RGM"), root / "Registri" / "2025.rgm");
    EXPECT_EQ(ResolvePath(root / "DATI_GEN" / "UTENTE.001"), root / "dati_gen" / "Utente.001");
    // A missing file keeps the program's name, in the folder found.
    EXPECT_EQ(ResolvePath(root / "DATI_GEN" / "APPL.CFG"), root / "dati_gen" / "APPL.CFG");
    EXPECT_EQ(ResolvePath(root / "NUOVA" / "X.DAT"), root / "NUOVA" / "X.DAT");
    // The exact name wins when it exists.
    WriteFileBytes(root / "Registri" / "2025.RGM", "");
    EXPECT_EQ(ResolvePath(root / "Registri" / "2025.RGM"), root / "Registri" / "2025.RGM");

    const WorkFolders folders = WorkFolders::At(root, root / "TEMP_ZYMOTEC");
    EXPECT_EQ(folders.datiGen, root / "dati_gen");
    EXPECT_EQ(folders.registri, root / "Registri");
    EXPECT_EQ(folders.companyFile(), root / "dati_gen" / "Utente.001");
    EXPECT_EQ(YearFile(folders.registri, 2025, ".RGM"), root / "Registri" / "2025.RGM");
    EXPECT_EQ(YearFile(folders.registri, 2024, ".DER"), root / "Registri" / "2024.DER");
}

TEST_F(FilesTest, MovementsGoToTheFileOfOtherLetterCase) {
    const fs::path lower = tmp.registri("2025.rgm");
    WriteFileBytes(lower, "");
    const fs::path file = tmp.registri("2025.RGM");
    AddMovement(file, Production(Day(2025, 1, 1), 0, 5), NoSelection());
    AddMovement(file, Production(Day(2025, 1, 2), 5, 9), NoSelection());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(fs::file_size(lower), 2u * 592);
    EXPECT_EQ(ScanMovements(file).size(), 2u);
    EXPECT_TRUE(DeleteMovement(1, file));
    EXPECT_EQ(fs::file_size(lower), 592u);
    ExpectNoLeftovers(tmp.folders().registri);
}

TEST_F(FilesTest, WorkFoldersAreCreatedWithTheProgramsNames) {
    const fs::path root = tmp.root() / "nuova";
    fs::create_directories(root);
    const WorkFolders folders = WorkFolders::At(root, root / "TEMP_ZYMOTEC");
    folders.create();
    EXPECT_EQ(FolderNames(root),
              (std::vector<std::string>{"DATI_GEN", "REGISTRI", "TEMP_ZYMOTEC"}));
    EXPECT_EQ(folders.companyFile(), root / "DATI_GEN" / "UTENTE.001");
    EXPECT_EQ(folders.applFile().filename(), "APPL.CFG");
    EXPECT_EQ(folders.webFile().filename(), "WEB.CFG");
    EXPECT_EQ(folders.pecAccountFile().filename(), "ACCOUNT_PEC.DAT");
    EXPECT_EQ(folders.releaseFile().filename(), "VERS_ZYMOTEC.DAT");
    EXPECT_EQ(folders.requestsFile().filename(), "PROTRETE.DAT");
}

// ---- Company record -----------------------------------------------------------------------

TUTENTE SampleCompany() {
    TUTENTE c = BlankTutente();
    c.CACCI1.set("IT00AOA12345B");
    c.DENOM1.set("BIRRIFICIO DELLA VALLE S.R.L.");
    c.PARIVA.set("12345678903");
    c.CODFIS.set("12345678903");
    c.INDIR1.set("VIA DEI MULINI");
    c.INDIR2.set("UTENTEDOGANE");
    c.NUMCI1.set("12/B");
    c.C_A_P1.set("35100");
    c.DATPSW.set("15/03/2025");
    c.CITTA1.set("PADOVA");
    c.CITTA2.set("Segreta!2025");
    c.CODUTE.set("ABCD");
    c.UFFDO1.set("ITPDM100");
    c.SEZDOG.set("01");
    c.CAUESO.set("C");
    c.TIPOIN.set("A");
    return c;
}

std::string Address117() {
    std::string a =
        "https://dogane.example.it/TelematicoFunzioniDiAccessoWEB/"
        "FunzioniDiAccessoAutServlet?UC=1&";
    while (a.size() < 100) a.insert(a.begin() + 8, 'w');
    a += "SC=1&ST=1&XYZ=123";
    return a;
}

TEST_F(FilesTest, CompanyRecordRoundTrip) {
    const fs::path file = tmp.folders().companyFile();
    ASSERT_FALSE(ReadCompany(file).has_value());
    TUTENTE company = SampleCompany();
    SetAccessAddress(company, Address117());
    WriteCompany(file, company);

    EXPECT_EQ(fs::file_size(file), 608u);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "the company record holds the customs password";

    const auto read = ReadCompany(file);
    ASSERT_TRUE(read.has_value());
    for (const auto& f : TutenteFields()) {
        if (f.type != FieldType::Text) continue;
        const auto* a = reinterpret_cast<const unsigned char*>(&company) + f.offset;
        const auto* b = reinterpret_cast<const unsigned char*>(&*read) + f.offset;
        const std::string expected(
            TrimBlanks(std::string_view(reinterpret_cast<const char*>(a + 1), a[0])));
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(b + 1), b[0]), expected) << f.name;
    }
    EXPECT_EQ(read->CACCI1.view(), "IT00AOA12345B");
    EXPECT_EQ(read->CITTA2.view(), "Segreta!2025");
    EXPECT_EQ(read->RISERV1.view(), "");
    EXPECT_EQ(AccessAddress(*read), Address117());

    // On disk every text is padded: length byte N.
    const std::string bytes = FileBytes(file);
    EXPECT_EQ(static_cast<unsigned char>(bytes[4]), 18);     // CACCI1
    EXPECT_EQ(static_cast<unsigned char>(bytes[143]), 100);  // INDACC1
    EXPECT_EQ(static_cast<unsigned char>(bytes[583]), 17);   // INDACC2
    EXPECT_EQ(bytes.substr(144, 100), Address117().substr(0, 100));
    EXPECT_EQ(bytes.substr(584, 17), Address117().substr(100));
}

struct AddressCase {
    std::size_t length;
    std::size_t first, second;  // characters in INDACC1 and INDACC2
};

class AccessAddressSplit : public testing::TestWithParam<AddressCase> {};

TEST_P(AccessAddressSplit, StoredAsTwoPiecesAndJoinedAgain) {
    const auto& c = GetParam();
    std::string address = "https://";
    while (address.size() < c.length) address += static_cast<char>('a' + address.size() % 26);
    address.resize(c.length);
    TUTENTE company = BlankTutente();
    SetAccessAddress(company, address);
    EXPECT_EQ(company.INDACC1.trimmed().size(), c.first);
    EXPECT_EQ(company.INDACC2.trimmed().size(), c.second);
    EXPECT_EQ(AccessAddress(company), address);
    TrimTutente(company);
    EXPECT_EQ(AccessAddress(company), address);
}

INSTANTIATE_TEST_SUITE_P(Rows, AccessAddressSplit,
                         testing::Values(AddressCase{0, 0, 0}, AddressCase{30, 30, 0},
                                         AddressCase{100, 100, 0}, AddressCase{101, 100, 1},
                                         AddressCase{117, 100, 17}));

TEST_F(FilesTest, AnEmptyCompanyFileIsNoCompany) {
    const fs::path file = tmp.folders().companyFile();
    WriteFileBytes(file, "");
    EXPECT_FALSE(ReadCompany(file).has_value());
    EXPECT_FALSE(ReadCompanyOrNothing(file).has_value());
    EXPECT_FALSE(ReadCompanyOrNothing(tmp.datiGen("MANCANTE.001")).has_value());
    EXPECT_FALSE(fs::exists(tmp.datiGen("MANCANTE.001"))) << "reading must not create it";
}

TEST_F(FilesTest, RewritingTheCompanyReplacesTheOneRecord) {
    const fs::path file = tmp.folders().companyFile();
    WriteCompany(file, SampleCompany());
    TUTENTE changed = *ReadCompany(file);
    changed.DENOM1.set("ALTRO NOME");
    WriteCompany(file, changed);
    EXPECT_EQ(fs::file_size(file), 608u);
    EXPECT_EQ(ReadCompany(file)->DENOM1.view(), "ALTRO NOME");
    ExpectNoLeftovers(tmp.folders().datiGen);
}

// ---- Configuration records ----------------------------------------------------------------

TEST_F(FilesTest, ConfigRecordRoundTrip) {
    const fs::path file = tmp.folders().applFile();
    TTABELLA r = BlankTabella();
    r.text[0].set("/opt/firma/FirmaVerifica");
    r.text[1].set("/home/birra/DAFIRMARE/");
    r.text[2].set("  /home/birra/FIRMATI/  ");
    r.text[19].set(std::string(250, 'z'));
    r.integer[0] = 2;
    r.integer[9] = -9;
    r.num[0] = 1.5;
    r.num[29] = -29.25;
    WriteConfigRecord(file, r);
    EXPECT_EQ(fs::file_size(file), 5304u);

    const TTABELLA read = ReadConfigRecord(file);
    EXPECT_EQ(read.text[0].view(), "/opt/firma/FirmaVerifica");
    EXPECT_EQ(read.text[1].view(), "/home/birra/DAFIRMARE/");
    EXPECT_EQ(read.text[2].view(), "/home/birra/FIRMATI/");
    EXPECT_EQ(read.text[3].view(), "");
    EXPECT_EQ(read.text[19].view(), std::string(250, 'z'));
    EXPECT_EQ(read.integer[0], 2);
    EXPECT_EQ(read.integer[9], -9);
    EXPECT_EQ(read.num[0], 1.5);
    EXPECT_EQ(read.num[29], -29.25);
    EXPECT_EQ(ReadConfigRecordOrBlank(file).text[1].view(), "/home/birra/DAFIRMARE/");
    // On disk: padded to 250.
    EXPECT_EQ(static_cast<unsigned char>(FileBytes(file)[4 + 251]), 250);
}

TEST_F(FilesTest, AccountFileIsForTheOwnerOnly) {
    const fs::path file = tmp.folders().pecAccountFile();
    TTABELLA r = BlankTabella();
    r.text[2].set("password PEC");
    WriteConfigRecord(file, r, true);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(ReadConfigRecord(file).text[2].view(), "password PEC");
}

TEST_F(FilesTest, AMissingOrEmptyConfigFileReadsBlank) {
    for (const fs::path& file : {tmp.folders().webFile(), tmp.datiGen("VUOTO.CFG")}) {
        if (file.filename() == "VUOTO.CFG") WriteFileBytes(file, "");
        for (const TTABELLA& r : {ReadConfigRecordOrBlank(file), ReadConfigRecord(file)}) {
            EXPECT_EQ(r.number, 0);
            for (const auto& t : r.text) EXPECT_EQ(t.trimmed(), "");
            for (int v : r.integer) EXPECT_EQ(v, 0);
            for (double v : r.num) EXPECT_EQ(v, 0.0);
        }
    }
    EXPECT_FALSE(fs::exists(tmp.folders().webFile())) << "reading must not create it";
}

TEST_F(FilesTest, ReleaseDateRoundTrip) {
    const fs::path file = tmp.folders().releaseFile();
    EXPECT_FALSE(ReadReleaseDate(file).has_value());
    WriteReleaseDate(file, Day(2025, 3, 15) + 0.5);
    EXPECT_EQ(fs::file_size(file), 8u);
    EXPECT_EQ(ReadReleaseDate(file), Day(2025, 3, 15) + 0.5);
    WriteFileBytes(file, "1234567");  // not a whole date
    EXPECT_FALSE(ReadReleaseDate(file).has_value());
}

}  // namespace
}  // namespace braxol

namespace braxol {
namespace {

TEST(WorkFoldersTest, TheTemporaryFolderIsTheUsersOwn) {
    test::TempWorkFolder work;
    const WorkFolders folders =
        WorkFolders::At(work.root() / "altra", work.root() / "altra" / "tmp");
    folders.create();
    for (const auto& f : {folders.datiGen, folders.registri, folders.temp})
        EXPECT_TRUE(std::filesystem::is_directory(f)) << f;
    EXPECT_EQ(std::filesystem::status(folders.temp).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
    const auto temp = WorkFolders::DefaultTemp().filename().string();
    EXPECT_EQ(temp.rfind("TEMP_ZYMOTEC", 0), 0u) << temp;
}

}  // namespace
}  // namespace braxol
