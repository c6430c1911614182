// The request flows and the renunciation of golden/<case>/, made as a user makes them: the
// requests in DATI_GEN/PROTRETE.DAT, the request-flow window (or the renunciation window) worked
// by keyboard, the file in the folder of files to sign compared byte for byte. Each request case
// also checks APPOGGIO.DAT and the requests marked as sent, whether the flow goes on to the
// signing program or not.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>

#include "flow_test_support.h"
#include "telematic/renunciation_window.h"
#include "telematic/request_flow_window.h"
#include "telematic/request_outcome.h"

namespace braxol {
namespace {

using namespace braxol::test;

bool IsRenunciation(const GoldenCase& c) {
    return c.flow.at("window") == "renunciation";
}

std::vector<TMOVIMENTO> RequestsOf(const GoldenCase& c) {
    const fs::path file = c.folder / "PROTRETE.DAT.jsonl";
    return fs::exists(file) ? MovementsFromJson(file) : std::vector<TMOVIMENTO>{};
}

class RequestGolden : public FlowTest, public ::testing::WithParamInterface<const char*> {
protected:
    telematic::RequestFlowRequest flowRequest() {
        telematic::RequestFlowRequest r;
        r.folders = work.folders();
        r.company = ReadCompany(work.folders().companyFile()).value();
        r.paths = ReadConfigRecord(work.folders().applFile());
        r.telematic = &telematic;
        return r;
    }
};

TEST_P(RequestGolden, FlowFileFollowsTheTablesToTheByte) {
    const GoldenCase c = ReadGoldenCase(GetParam());
    if (c.flow.contains("excise")) {
        TUTENTE company = GoldenCompany();
        company.CACCI1.set(c.flow.at("excise").get<std::string>());
        WriteCompany(work.folders().companyFile(), company);
    }
    const auto requestsIn = RequestsOf(c);
    WriteMovements(work.folders().requestsFile(), requestsIn);
    // What an earlier outcome left is never this flow's.
    WriteMovements(work.folders().inTemp(telematic::kReleasesFileName),
                   {Stored(BlankMovement(), 1, 1)});
    const std::string date = c.flow.at("date");
    const int number = c.flow.at("number");
    setToday(c.flow.value("today", date));

    std::unique_ptr<ui::EntryWindow> window;
    if (IsRenunciation(c)) {
        window = std::make_unique<telematic::TFRINUNCIA_RE_TE>(flowRequest());
        ShowActive(window.get());
        Retype(window.get(), "DATRIN", QString::fromStdString(c.flow.at("renunciation")));
        PressEnter(window.get());
        Retype(window.get(), "DATFLU", QString::fromStdString(date));
        PressEnter(window.get());
        Retype(window.get(), "NUMFLU", QString::number(number));
        PressEnter(window.get());
        if (!c.sign()) PressKey(window.get(), Qt::Key_Space);
        PressEnter(window.get());
        EXPECT_EQ(FocusName(), "ECONF");
        Type(window.get(), "si");
        PressEnter(window.get());
    } else {
        window = std::make_unique<telematic::TFCREAFIRMAINVIARE_TE>(flowRequest());
        ShowActive(window.get());
        Untick(window.get(), c.unticked());
        FocusOn(window.get(), "DATFLU");
        TypeFlowAndConfirm(window.get(), QString::fromStdString(date), number, c.sign());
    }
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(seams.messages.shown().empty()) << seams.messages.texts().join("|").toStdString();

    std::string name = c.expectedName();
    // A new case takes the file the window wrote, to be read before it is committed.
    if (name.empty() && std::getenv("BRAXOL_UPDATE_GOLDEN") && FolderNames(toSign).size() == 1)
        name = FolderNames(toSign).front();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(FolderNames(toSign), std::vector<std::string>{name});
    const std::string written = FileBytes(toSign / name);
    if (std::getenv("BRAXOL_UPDATE_GOLDEN")) WriteFileBytes(c.folder / name, written);
    EXPECT_EQ(written, FileBytes(c.folder / name));

    // The requests: every unsent one copied to APPOGGIO.DAT, the chosen ones stamped with the
    // flow there and in PROTRETE.DAT, signed here or not; a renunciation writes no request.
    const double flowDate = DateOf(date);
    std::vector<TMOVIMENTO> expectedCopies, expectedRequests = requestsIn;
    const auto unticked = c.unticked();
    int listed = 0;
    for (TMOVIMENTO& r : expectedRequests) {
        if (r.NUMFLU != 0) continue;
        const bool chosen = std::find(unticked.begin(), unticked.end(), listed++) == unticked.end();
        TMOVIMENTO copy = r;
        if (chosen) {
            copy.DATFLU = r.DATFLU = flowDate;
            copy.NUMFLU = r.NUMFLU = number;
        }
        expectedCopies.push_back(copy);
    }
    EXPECT_TRUE(SameBytes(ReadRecords<TMOVIMENTO>(work.folders().requestsFile(), false),
                          IsRenunciation(c) ? requestsIn : expectedRequests));
    if (!IsRenunciation(c)) {
        EXPECT_TRUE(SameBytes(ReadRecords<TMOVIMENTO>(
                                  work.folders().inTemp(telematic::kRequestCopiesFileName), false),
                              expectedCopies));
    }
    EXPECT_EQ(FileBytes(work.folders().inTemp(telematic::kReleasesFileName)), "");
    if (c.sign()) {
        ASSERT_EQ(seams.shell.started.size(), 1u);
        EXPECT_EQ(seams.shell.started[0].first.toStdString(), signingProgram);
    } else {
        EXPECT_TRUE(seams.shell.started.empty());
    }
    EXPECT_EQ(telematic.flowKind, QChar('R'));
    EXPECT_EQ(telematic.flowName.toStdString(), name);
    EXPECT_EQ(telematic.signedFilePath.toStdString(), (signedFiles / (name + ".p7m")).string());
}

INSTANTIATE_TEST_SUITE_P(Cases, RequestGolden,
                         ::testing::Values("requests_release_and_closing",
                                           "requests_texts_kept_on_their_line", "renunciation",
                                           "renunciation_program_code"));

}  // namespace
}  // namespace braxol
