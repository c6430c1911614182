// A request flow in the transmission window, against two training services on 127.0.0.1
// standing for the test and the real environment: its outcome read as a request flow's, the
// protocol of the released register offered in the protocol window only once the flow has gone
// to the real environment, and recorded on the request and in PROTOCOLLI.TAB; an outcome that
// names a protocol already recorded offers nothing again.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <memory>

#include "flow_test_support.h"
#include "net/soap_endpoints.h"
#include "sim_server.h"
#include "store/movements.h"
#include "store/safe_file.h"
#include "support/cms/cms_signing.h"
#include "support/qt/next_modal.h"
#include "support/training_services.h"
#include "telematic/assigned_protocol_window.h"
#include "telematic/assigned_protocols.h"
#include "telematic/flow_marking.h"
#include "telematic/flow_messages.h"
#include "telematic/register_requests.h"
#include "telematic/request_flow_file.h"
#include "telematic/request_outcome.h"
#include "telematic/request_transmission.h"
#include "telematic/soap_customs.h"
#include "telematic/soap_upload.h"
#include "telematic/transmission_window.h"
#include "telematic/verification_window.h"
#include "ui/text.h"

namespace braxol::test {
namespace {

using telematic::TFPROT_RETE;
using telematic::TFTELEMATICO;

class RequestTransmission : public FlowTest {
protected:
    std::unique_ptr<TrainingServices> services;
    sim::DoganaSimulator* testSim = nullptr;
    sim::DoganaSimulator* realSim = nullptr;
    std::string flowBytes;
    const double flowDay = Day(2025, 3, 20);

    void SetUp() override {
        FlowTest::SetUp();
        setToday("20/03/2025");
        TMOVIMENTO release = telematic::NewRequest(telematic::kReleaseRequest);
        release.DATMOV = Day(2025, 4, 1);
        release.INTER1 = 518;
        release.ANNOTA.set("MOSTO di BIRRA");
        release = telematic::AddRequest(work.folders().requestsFile(), release);
        release.DATFLU = flowDay;
        release.NUMFLU = 1;
        const auto flow = telematic::BuildRequestFlow(
            ReadCompany(work.folders().companyFile()).value(), {release}, flowDay, 1);
        telematic::WriteFlowFile(toSign, flow);
        telematic::MarkRequestsSent(work.folders(), {release});
        flowBytes = flow.bytes;
        telematic.flowKind = 'R';
        telematic.flowName = QString::fromStdString(flow.name);
        telematic.signedFilePath = QString::fromStdString(signedFile().string());

        services = std::make_unique<TrainingServices>(work.root());
        testSim = &services->test();
        realSim = &services->real();
        net::WriteEndpoints(work.folders(), services->endpoints());
        ReplaceFileContent(signedFile(), SignForTest(flowBytes));
    }

    fs::path signedFile() const { return signedFiles / "ABCD0320.C01.p7m"; }
    std::unique_ptr<TFTELEMATICO> openWindow() {
        auto w = std::make_unique<TFTELEMATICO>(
            telematic::TransmissionContext{work.folders(),
                                           ReadConfigRecord(work.folders().applFile()),
                                           ReadConfigRecord(work.folders().webFile()),
                                           telematic,
                                           {},
                                           telematic::RegisterRequestSupport(work.folders())});
        ShowActive(w.get());
        EXPECT_TRUE(QTest::qWaitFor([&] { return w->fileSigned(); }, 5000));
        return w;
    }
    std::vector<TTABELLA> table() const {
        return ReadRecords<TTABELLA>(telematic::ProtocolTableFile(work.folders()), false);
    }
    std::vector<TMOVIMENTO> requests() const {
        return ReadRecords<TMOVIMENTO>(work.folders().requestsFile(), false);
    }
    static void Choose(QWidget* w, const char* radio) {
        auto* button = ControlAs<QRadioButton>(w, radio);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
};

TEST_F(RequestTransmission, TheReleasedProtocolIsOfferedAfterTheRealSending) {
    auto w = openWindow();
    Choose(w.get(), "RPROVA");
    seams.messages.planAnswer(ui::Answer::Ok);
    QString offered, offeredDate;
    NextModal<TFPROT_RETE> protocol([&](TFPROT_RETE* p) {
        ShowActive(p);
        // Only once the flow has gone to the real environment.
        EXPECT_EQ(realSim->requests(), 2);
        offered = ControlAs<QLineEdit>(p, "PROTOC")->text();
        offeredDate = ControlAs<QLineEdit>(p, "DATFLU")->text();
        EXPECT_EQ(ControlAs<QLineEdit>(p, "DATMOV")->text(), "01/04/2025");
        for (int i = 0; i < 3; ++i) PressEnter(p);
    });
    Click(w.get(), "BCONF");
    ASSERT_EQ(protocol.opened(), 1);
    EXPECT_EQ(testSim->requests(), 2);
    EXPECT_EQ(offered.size(), 10);
    EXPECT_EQ(offeredDate, "20/03/2025");
    const QString details = ControlAs<QTextEdit>(w.get(), "RICHED")->toPlainText();
    EXPECT_TRUE(details.contains("\nESITO POSITIVO\n")) << details.toStdString();
    EXPECT_TRUE(details.contains("ha rilasciato il Registro Telematico Numero " + offered))
        << details.toStdString();

    const TMOVIMENTO r = requests().at(0);
    EXPECT_EQ(ui::FromField(r.NUMPRO), offered);
    EXPECT_EQ(r.ANNPRO.str(), "2025");
    EXPECT_EQ(r.DATFLU, flowDay);
    EXPECT_EQ(r.NUMFLU, 1);
    const auto t = table();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(QString::fromStdString(t[0].text[0].trimmed()), offered);
    EXPECT_EQ(t[0].num[1], Day(2025, 4, 1));

    // The same outcome read again, a new release request waiting: the protocol is recorded
    // already and is offered to no one.
    TMOVIMENTO another = telematic::NewRequest(telematic::kReleaseRequest);
    another.DATMOV = Day(2025, 9, 1);
    telematic::AddRequest(work.folders().requestsFile(), another);
    NextModal<TFPROT_RETE> again([](TFPROT_RETE* p) { p->reject(); });
    EXPECT_EQ(telematic::OfferReleasedProtocols(w.get(), work.folders()), 0);
    EXPECT_FALSE(again.answered(300));
    EXPECT_EQ(table().size(), 1u);
    EXPECT_TRUE(requests().at(1).NUMPRO.trimmed().empty());
}

TEST_F(RequestTransmission, NoProtocolIsOfferedWithoutARealOutcome) {
    NextModal<TFPROT_RETE> protocol([](TFPROT_RETE* p) { p->reject(); });
    {
        // Only to the test environment.
        auto w = openWindow();
        Choose(w.get(), "RPROVA");
        seams.messages.planAnswer(ui::Answer::No);
        Click(w.get(), "BCONF");
        EXPECT_EQ(
            ReadRecords<TMOVIMENTO>(work.folders().inTemp(telematic::kReleasesFileName), false)
                .size(),
            1u);
    }
    // By hand, with no outcome read since the flow was made.
    fs::remove(work.folders().inTemp(telematic::kReleasesFileName));
    {
        auto w = openWindow();
        Choose(w.get(), "RSITO");
        Click(w.get(), "BCONF");
    }
    EXPECT_FALSE(protocol.answered(300));
    EXPECT_EQ(seams.messages.texts(), QStringList{telematic::kSendToReal});
    EXPECT_TRUE(table().empty());
    EXPECT_TRUE(requests().at(0).NUMPRO.trimmed().empty());
}

// The verification window asks for the outcome of any flow sent for real: a request flow's
// outcome reads as one, whatever flow this run prepared last, and offers no protocol.
TEST_F(RequestTransmission, TheVerificationWindowReadsARequestFlowsOutcome) {
    TUTENTE company = ReadCompany(work.folders().companyFile()).value();
    TrimTutente(company);
    const auto upload = telematic::UploadSignedFile(
        *telematic::NetworkTransports(work.folders(), company)(telematic::Environment::Real),
        signedFile(), nullptr);
    ASSERT_TRUE(upload.taken) << upload.answer.toStdString();
    fs::remove(work.folders().inTemp(telematic::kReleasesFileName));
    telematic.flowKind = 'C';

    workingYear = "2025";
    telematic::TFVERIFICA_FLUSSO window({work.folders(), company, workingYear, telematic, {}});
    ShowActive(&window);
    Retype(&window, "INUCO", "1");
    PressEnter(&window);
    Click(&window, "BCONF");
    const QString outcome = ControlAs<QPlainTextEdit>(&window, "ESITO")->toPlainText();
    EXPECT_TRUE(outcome.startsWith("ESITO POSITIVO\n")) << outcome.toStdString();
    EXPECT_TRUE(outcome.contains("ha rilasciato il Registro Telematico Numero "))
        << outcome.toStdString();
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_FALSE(fs::exists(work.folders().inTemp(telematic::kReleasesFileName)));
}

}  // namespace
}  // namespace braxol::test
