// The customs web service's addresses in the web-addresses window: WEBSERVICE.CFG written
// with the defaults on first opening, shown, changed with CONFERMA beside WEB.CFG, and the
// authority's file chosen with "...".

#include <gtest/gtest.h>

#include <QLineEdit>

#include "net/soap_endpoints.h"
#include "setup/web_window.h"
#include "store/config_files.h"
#include "support/configuration.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

class WebServiceAddresses : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    fs::path file = work.folders().inDatiGen("WEBSERVICE.CFG");

    QString Text(QWidget* window, const QString& name) {
        return ControlAs<QLineEdit>(window, name)->text();
    }
};

TEST_F(WebServiceAddresses, FirstOpeningWritesAndShowsTheDefaults) {
    WriteConfiguration(work.folders());
    const std::string web = FileBytes(work.folders().webFile());
    setup::TFINDWEB window(work.folders());
    ShowActive(&window);
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), sizeof(TTABELLA));
    const net::ServiceEndpoints defaults = net::DefaultEndpoints();
    EXPECT_EQ(Text(&window, "LEWSREALE"), defaults.real);
    EXPECT_EQ(Text(&window, "LEWSPROVA"), defaults.test);
    EXPECT_EQ(Text(&window, "LEWSCA"), "");
    EXPECT_TRUE(defaults.real.startsWith("https://"));
    EXPECT_TRUE(
        defaults.real.endsWith("/TelematicoFtpEjbHttpRouter/TelematicoFtpWsBindingImplService"));
    EXPECT_EQ(FileBytes(work.folders().webFile()), web);  // WEB.CFG untouched
}

TEST_F(WebServiceAddresses, ConfirmStoresTheChangesBesideWebCfg) {
    WriteConfiguration(work.folders());
    setup::TFINDWEB window(work.folders());
    ShowActive(&window);
    Retype(&window, "LEWSREALE", "https://127.0.0.1:8443/TelematicoFtpEjbHttpRouter/X");
    Retype(&window, "LEWSPROVA", "");
    seams.files.planPath("/home/birraio/.braxol-dogana-sim/certificati/ca.pem");
    Click(&window, "BLEWSCA");
    EXPECT_EQ(Text(&window, "LEWSCA"), "/home/birraio/.braxol-dogana-sim/certificati/ca.pem");
    Click(&window, "BCONF");
    ASSERT_EQ(window.result(), QDialog::Accepted);

    const net::ServiceEndpoints stored = net::ReadOrCreateEndpoints(work.folders());
    EXPECT_EQ(stored.real, "https://127.0.0.1:8443/TelematicoFtpEjbHttpRouter/X");
    EXPECT_EQ(stored.test, net::DefaultEndpoints().test);  // a blank address is the default
    EXPECT_EQ(stored.caFile, "/home/birraio/.braxol-dogana-sim/certificati/ca.pem");
    EXPECT_EQ(ReadConfigRecord(work.folders().webFile()).text[3].str(), "https://reale.example/");
}

TEST_F(WebServiceAddresses, LeavingKeepsTheFile) {
    WriteConfiguration(work.folders());
    net::WriteEndpoints(work.folders(), {"https://a.example/ws", "https://b.example/ws", ""});
    const std::string before = FileBytes(file);
    setup::TFINDWEB window(work.folders());
    ShowActive(&window);
    Retype(&window, "LEWSREALE", "https://c.example/ws");
    Click(&window, "BABBANDONA");
    EXPECT_EQ(FileBytes(file), before);
}

}  // namespace
}  // namespace braxol
