// The flow files of golden/<case>/, made as a user makes them: the year's records in the
// register files, the flow window worked by keyboard, the file in the folder of files to sign
// compared byte for byte. Each case also checks FLUSSATI.DAT, the register files (marked at
// once without "Esegue Firma e Verifica ", untouched with it) and the start of the signing
// program.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>

#include "flow_test_support.h"

namespace braxol {
namespace {

using namespace braxol::test;

int YearOf(const GoldenCase& c) {
    return c.flow.at("year");
}

std::vector<TMOVIMENTO> RegisterFile(const GoldenCase& c, const char* extension) {
    const fs::path file = c.folder / (std::to_string(YearOf(c)) + extension + ".jsonl");
    return fs::exists(file) ? MovementsFromJson(file) : std::vector<TMOVIMENTO>{};
}

std::vector<TMOVIMENTO> Unsent(const std::vector<TMOVIMENTO>& records) {
    std::vector<TMOVIMENTO> unsent;
    for (const auto& r : records)
        if (r.NUMFLU == 0) unsent.push_back(r);
    return unsent;
}

// The records with the chosen ones (by NUMOPE) stamped with the flow.
std::vector<TMOVIMENTO> Stamped(std::vector<TMOVIMENTO> records,
                                const std::vector<TMOVIMENTO>& chosen, double date, int number) {
    for (auto& r : records)
        for (const auto& c : chosen)
            if (c.NUMOPE == r.NUMOPE && r.NUMFLU == 0 && c.TIPREC.padded() == r.TIPREC.padded()) {
                r.DATFLU = date;
                r.NUMFLU = number;
            }
    return records;
}

class FlowGolden : public FlowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FlowGolden, FlowFileFollowsTheTablesToTheByte) {
    const GoldenCase c = ReadGoldenCase(GetParam());
    const auto rgmIn = RegisterFile(c, ".RGM");
    const auto derIn = RegisterFile(c, ".DER");
    WriteMovements(rgm(YearOf(c)), rgmIn);
    WriteMovements(der(YearOf(c)), derIn);
    const std::string date = c.flow.at("date");
    const int number = c.flow.at("number");
    setToday(c.flow.value("today", date));
    workingYear = QString::number(YearOf(c));

    telematic::TFCREAFIRMAINVIAREGISTRO window(request());
    ShowActive(&window);
    Untick(&window, c.unticked());
    TypeFlowAndConfirm(&window, QString::fromStdString(date), number, c.sign());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(seams.messages.shown().empty()) << seams.messages.texts().join("|").toStdString();

    // The flow file, byte for byte.
    const std::string name = c.expectedName();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(FolderNames(toSign), std::vector<std::string>{name});
    const std::string written = FileBytes(toSign / name);
    if (std::getenv("BRAXOL_UPDATE_GOLDEN")) WriteFileBytes(c.folder / name, written);
    EXPECT_EQ(written, FileBytes(c.folder / name));

    // FLUSSATI.DAT: every listed record, the chosen ones stamped with the flow.
    std::vector<TMOVIMENTO> listed = Unsent(rgmIn);
    for (const auto& r : Unsent(derIn)) listed.push_back(r);
    std::vector<TMOVIMENTO> chosen;
    const auto unticked = c.unticked();
    for (int i = 0; i < static_cast<int>(listed.size()); ++i)
        if (std::find(unticked.begin(), unticked.end(), i) == unticked.end())
            chosen.push_back(listed[static_cast<std::size_t>(i)]);
    const double flowDate = DateOf(date);
    std::vector<TMOVIMENTO> expectedCopies = listed;
    for (int i = 0; i < static_cast<int>(listed.size()); ++i)
        if (std::find(unticked.begin(), unticked.end(), i) == unticked.end()) {
            expectedCopies[static_cast<std::size_t>(i)].DATFLU = flowDate;
            expectedCopies[static_cast<std::size_t>(i)].NUMFLU = number;
        }
    EXPECT_TRUE(SameBytes(copies(), expectedCopies));

    // The register files: untouched while the flow goes to the signing program, marked at
    // once otherwise.
    const auto rgmOut = ReadRecords<TMOVIMENTO>(rgm(YearOf(c)), false);
    const auto derOut = ReadRecords<TMOVIMENTO>(der(YearOf(c)), false);
    if (c.sign()) {
        EXPECT_TRUE(SameBytes(rgmOut, rgmIn));
        EXPECT_TRUE(SameBytes(derOut, derIn));
        ASSERT_EQ(seams.shell.started.size(), 1u);
        EXPECT_EQ(seams.shell.started[0].first.toStdString(), signingProgram);
        EXPECT_TRUE(seams.shell.started[0].second.isEmpty());
    } else {
        std::vector<TMOVIMENTO> chosenC, chosenER;
        for (const auto& r : chosen) (r.TIPREC == "C" ? chosenC : chosenER).push_back(r);
        EXPECT_TRUE(SameBytes(rgmOut, Stamped(rgmIn, chosenC, flowDate, number)));
        EXPECT_TRUE(SameBytes(derOut, Stamped(derIn, chosenER, flowDate, number)));
        EXPECT_TRUE(seams.shell.started.empty());
    }

    // What the transmission window will follow.
    EXPECT_EQ(telematic.flowKind, QChar('C'));
    EXPECT_EQ(telematic.flowName.toStdString(), name);
    EXPECT_EQ(telematic.signedFilePath.toStdString(), (signedFiles / (name + ".p7m")).string());
    EXPECT_EQ(telematic.flowDate, flowDate);
    EXPECT_EQ(telematic.flowNumber, number);
}

INSTANTIATE_TEST_SUITE_P(Cases, FlowGolden,
                         ::testing::Values("two_productions_wash_excise", "wash_code_kept_0208",
                                           "wash_code_empty_0308", "unchecked_items",
                                           "record_r_and_rectification",
                                           "texts_kept_on_their_line"));

}  // namespace
}  // namespace braxol
