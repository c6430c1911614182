#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/flows.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using test::Day;
using test::FolderNames;
using test::WriteFileBytes;

struct SuffixCase {
    int number;
    int year, month, day;
    std::string expected;
};

class FlowNameSuffixTest : public testing::TestWithParam<SuffixCase> {};

TEST_P(FlowNameSuffixTest, MonthDayAndTwoDigitNumber) {
    const auto& c = GetParam();
    EXPECT_EQ(FlowNameSuffix(c.number, Day(c.year, c.month, c.day)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FlowNameSuffixTest,
                         testing::Values(SuffixCase{7, 2025, 3, 15, "0315.C07"},
                                         SuffixCase{1, 2025, 1, 1, "0101.C01"},
                                         SuffixCase{10, 2025, 12, 31, "1231.C10"},
                                         SuffixCase{99, 2024, 2, 29, "0229.C99"},
                                         SuffixCase{9, 2025, 10, 9, "1009.C09"}));

TEST(FlowNameSuffix, TheTimeOfDayDoesNotMatter) {
    EXPECT_EQ(FlowNameSuffix(7, Day(2025, 3, 15) + 0.99), "0315.C07");
}

class SignedFolder : public testing::Test {
protected:
    void Touch(const std::string& name) { WriteFileBytes(folder / name, "firmato"); }
    int Next(int month, int day) { return NextFlowNumber(Day(2025, month, day), "ABCD", folder); }

    test::TempWorkFolder tmp;
    fs::path folder = tmp.root() / "FIRMATI";
    void SetUp() override { fs::create_directories(folder); }
};

TEST_F(SignedFolder, NoSignedFileGivesOne) {
    EXPECT_EQ(Next(3, 15), 1);
    EXPECT_EQ(NextFlowNumber(Day(2025, 3, 15), "ABCD", tmp.root() / "MANCA"), 1);
}

TEST_F(SignedFolder, OneAfterTheHighestOfTheDay) {
    Touch("ABCD0315.C01.p7m");
    Touch("ABCD0315.C03.p7m");
    EXPECT_EQ(Next(3, 15), 4);
}

TEST_F(SignedFolder, OtherDaysAndUsersAreIgnored) {
    Touch("ABCD0315.C01.p7m");
    Touch("ABCD0315.C03.p7m");
    Touch("ABCD0316.C09.p7m");  // next day
    Touch("ABCD0215.C08.p7m");  // same day, other month
    Touch("WXYZ0315.C07.p7m");  // other user
    Touch("ABC0315.C07.p7m");
    Touch("ABCD0315.R05.p7m");  // not a movement flow
    Touch("LEGGIMI.TXT");
    EXPECT_EQ(Next(3, 15), 4);
    EXPECT_EQ(Next(3, 16), 10);
    EXPECT_EQ(Next(3, 17), 1);
    EXPECT_EQ(NextFlowNumber(Day(2025, 3, 15), "WXYZ", folder), 8);
}

TEST_F(SignedFolder, NamesOfOtherLetterCaseCount) {
    Touch("abcd0315.c05.p7m");
    EXPECT_EQ(Next(3, 15), 6);
}

TEST_F(SignedFolder, FlowNinetyNine) {
    Touch("ABCD0315.C99.p7m");
    EXPECT_EQ(Next(3, 15), 100);
}

// ---- Cleaning the two signing folders -----------------------------------------------------

class Cleaning : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(toSign);
        fs::create_directories(signedFolder);
        for (const char* n : {"ABCD0315.C01", "ABCD0316.C02", "WXYZ0315.C01", "README.TXT"})
            WriteFileBytes(toSign / n, "x");
        for (const char* n : {"ABCD0315.C01.p7m", "WXYZ0315.C01.p7m", "XABCD.p7m"})
            WriteFileBytes(signedFolder / n, "x");
        fs::create_directories(signedFolder / "ABCD_ARCHIVIO");  // a folder is not a file
        WriteFileBytes(signedFolder / "ABCD_ARCHIVIO" / "ABCD0101.C01.p7m", "x");
    }

    test::TempWorkFolder tmp;
    fs::path toSign = tmp.root() / "DAFIRMARE";
    fs::path signedFolder = tmp.root() / "FIRMATI";
};

TEST_F(Cleaning, DeletesOnlyTheFilesOfTheUser) {
    const CleanResult r = CleanSignatureFolders("ABCD", toSign, signedFolder);
    EXPECT_FALSE(r.refused);
    EXPECT_EQ(r.toSignDeleted, 2);
    EXPECT_EQ(r.signedDeleted, 1);
    EXPECT_EQ(r.message(),
              "Cancellati: 2 file della cartella DAFIRMARE e 1 file della cartella FIRMATI");
    EXPECT_EQ(FolderNames(toSign), (std::vector<std::string>{"README.TXT", "WXYZ0315.C01"}));
    EXPECT_EQ(FolderNames(signedFolder),
              (std::vector<std::string>{"ABCD_ARCHIVIO", "WXYZ0315.C01.p7m", "XABCD.p7m"}));
    EXPECT_TRUE(fs::exists(signedFolder / "ABCD_ARCHIVIO" / "ABCD0101.C01.p7m"));

    const CleanResult again = CleanSignatureFolders("ABCD", toSign, signedFolder);
    EXPECT_EQ(again.message(),
              "Cancellati: 0 file della cartella DAFIRMARE e 0 file della cartella FIRMATI");
}

TEST_F(Cleaning, FolderPathsMayEndWithTheSeparator) {
    const CleanResult r =
        CleanSignatureFolders("ABCD", toSign.string() + "/", signedFolder.string() + "/");
    EXPECT_EQ(r.toSignDeleted, 2);
    EXPECT_EQ(r.signedDeleted, 1);
}

TEST_F(Cleaning, TheUserCodeIsTrimmedAndMatchesAnyLetterCase) {
    WriteFileBytes(toSign / "abcd0317.c01", "x");
    const CleanResult r = CleanSignatureFolders("ABCD ", toSign, signedFolder);
    EXPECT_EQ(r.toSignDeleted, 3);
}

struct RefusedCase {
    const char* name;
    std::string codute;
    std::string toSign;  // "" empty, "=" the real folder
    std::string signedFolder;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class CleaningRefused : public Cleaning, public testing::WithParamInterface<RefusedCase> {};

TEST_P(CleaningRefused, DeletesNothing) {
    const auto& c = GetParam();
    auto pick = [](const std::string& s, const fs::path& real) {
        return s == "=" ? real : fs::path(s);
    };
    const auto beforeToSign = FolderNames(toSign);
    const auto beforeSigned = FolderNames(signedFolder);
    const CleanResult r =
        CleanSignatureFolders(c.codute, pick(c.toSign, toSign), pick(c.signedFolder, signedFolder));
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.message(),
              "Cancellati: 0 file della cartella DAFIRMARE e 0 file della cartella FIRMATI");
    EXPECT_EQ(FolderNames(toSign), beforeToSign);
    EXPECT_EQ(FolderNames(signedFolder), beforeSigned);
}

// A user code that no file in the root folder starts with, should a refusal ever fail.
INSTANTIATE_TEST_SUITE_P(Rows, CleaningRefused,
                         testing::Values(RefusedCase{"UserCodeZeros", "0000", "=", "="},
                                         RefusedCase{"UserCodeEmpty", "", "=", "="},
                                         RefusedCase{"UserCodeBlank", "    ", "=", "="},
                                         RefusedCase{"UserCodeBelowZeros", "000", "=", "="},
                                         RefusedCase{"ToSignEmpty", "QZXW", "", "="},
                                         RefusedCase{"SignedEmpty", "QZXW", "=", ""},
                                         RefusedCase{"ToSignRoot", "QZXW", "/", "="},
                                         RefusedCase{"SignedRoot", "QZXW", "=", "/"},
                                         RefusedCase{"SignedDoubleSlash", "QZXW", "=", "//"},
                                         RefusedCase{"SignedRootDot", "QZXW", "=", "/./"},
                                         RefusedCase{"SignedRootDotDot", "QZXW", "=", "/.."}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Cleaning, ARefusedUserCodeKeepsTheFilesOfThatCode) {
    WriteFileBytes(toSign / "0000X.C01", "x");
    const CleanResult r = CleanSignatureFolders("0000", toSign, signedFolder);
    EXPECT_TRUE(r.refused);
    EXPECT_TRUE(fs::exists(toSign / "0000X.C01"));
}

}  // namespace
}  // namespace braxol
