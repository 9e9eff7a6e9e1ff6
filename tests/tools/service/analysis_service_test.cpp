#include <gtest/gtest.h>

#include <string>

#include "main/page_reduction.h"
#include "service/analysis_page.h"
#include "service/analysis_service.h"
#include "tools/service/loopback_client_posix.h"
#include "tools/service/service_fixture.h"

namespace quorvel {
namespace {

using testing::AnalysisTarget;
using testing::Body;
using testing::QuorvelRequest;
using testing::StatusLine;

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class AnalysisServiceTest : public ::testing::Test {
protected:
    AnalysisService service{testing::FixtureDirectory(), false};

    ReducedPage Analysis(const std::string& imei) const {
        const std::string reply = service.Respond(QuorvelRequest(AnalysisTarget(imei)));
        EXPECT_EQ(StatusLine(reply), "HTTP/1.0 200 OK") << imei;
        return ReducePage(Body(reply));
    }
};

TEST_F(AnalysisServiceTest, KnownHandsetReducesToItsRecord) {
    const ReducedPage page = Analysis("490139200000001");
    EXPECT_FALSE(page.loginRequired);
    EXPECT_EQ(page.manufacturer, "Nokia");
    EXPECT_EQ(page.modelType, "1610");
    EXPECT_EQ(page.reference, "1610+");
    EXPECT_EQ(page.lines,
              "Manufacturer: Nokia\r\n"
              "Model type: 1610\r\n"
              "Reference: 1610+\r\n"
              "Approval body: RegTP, Germany (Regulierungsbehoerde F\xFC"
              "r Telekommunikation und Post)\r\n"
              "Check digit: 1 (correct)\r\n"
              "Country of handset approval: DE\r\n");
}

TEST_F(AnalysisServiceTest, UnknownHandsetReadsNotAvailable) {
    const ReducedPage page = Analysis("351234560000005");
    EXPECT_EQ(page.manufacturer, "N/A");
    EXPECT_EQ(page.modelType, "N/A");
    EXPECT_EQ(page.reference, "N/A");
    EXPECT_NE(page.lines.find("Approval body: BABT, Great Britain"), std::string::npos);
    EXPECT_TRUE(EndsWith(page.lines, "\r\nCountry of handset approval: GB\r\n")) << page.lines;
}

TEST_F(AnalysisServiceTest, AwkwardValuesArriveWhole) {
    // The fixture's odd records: "&" and a tab, a model over two lines,
    // tag brackets, an empty model, UTF-8 letters, ": " in the reference.
    const struct {
        const char* imei;
        const char* manufacturer;
        const char* modelType;
        const char* reference;
    } cases[] = {
        {"350000010000000", "Bang & Olufsen", "BeoCOM 950", "Lumia 535 Dual"},
        {"350000020000000", "Two", "line model", "N/A"},
        {"350000030000000", "Tags", "&lt;b&gt;bold&lt;/b&gt;", "N/A"},
        {"350000040000000", "Empty model", "N/A", "RM-1"},
        {"350000050000000", "M&N Logistik-L\xF6sungen", "X\x99 ?", "DE: D1-988"},
    };
    for (const auto& c : cases) {
        const ReducedPage page = Analysis(c.imei);
        EXPECT_EQ(page.manufacturer, c.manufacturer) << c.imei;
        EXPECT_EQ(page.modelType, c.modelType) << c.imei;
        EXPECT_EQ(page.reference, c.reference) << c.imei;
    }
}

TEST_F(AnalysisServiceTest, WrongCheckDigitIsShownWithTheRightOne) {
    EXPECT_NE(Analysis("490139200000009").lines.find("Check digit: 9 (wrong, should be 1)\r\n"),
              std::string::npos);
}

TEST_F(AnalysisServiceTest, ProxyStyleRequestGetsTheSamePage) {
    const std::string direct = service.Respond(QuorvelRequest(AnalysisTarget("490139200000001")));
    EXPECT_EQ(
        service.Respond(QuorvelRequest("http://imei.example" + AnalysisTarget("490139200000001"))),
        direct);
    EXPECT_EQ(service.Respond(
                  QuorvelRequest("http://127.0.0.1:8047" + AnalysisTarget("490139200000001"))),
              direct);
}

TEST_F(AnalysisServiceTest, OtherRequestsGetTheirErrorStatus) {
    const struct {
        const char* name;
        std::string request;
        const char* status;
    } cases[] = {
        {"garbage", "hello\r\n\r\n", "HTTP/1.0 400 Bad Request"},
        {"IMEI too short", QuorvelRequest(AnalysisTarget("49013920000000")),
         "HTTP/1.0 400 Bad Request"},
        {"IMEI too long", QuorvelRequest(AnalysisTarget("4901392000000011")),
         "HTTP/1.0 400 Bad Request"},
        {"IMEI with a letter", QuorvelRequest(AnalysisTarget("49013920000000A")),
         "HTTP/1.0 400 Bad Request"},
        {"IMEI with dashes", QuorvelRequest(AnalysisTarget("49-013920-000000-1")),
         "HTTP/1.0 400 Bad Request"},
        {"no IMEI", QuorvelRequest("/index.php?goto=imei&action=analyse"),
         "HTTP/1.0 400 Bad Request"},
        {"bad escape in the IMEI", QuorvelRequest(AnalysisTarget("49013920000000%")),
         "HTTP/1.0 400 Bad Request"},
        {"root", QuorvelRequest("/"), "HTTP/1.0 404 Not Found"},
        {"other path", QuorvelRequest("/analyse.php?goto=imei&action=analyse&s=490139200000001"),
         "HTTP/1.0 404 Not Found"},
        {"other page", QuorvelRequest("/index.php?goto=news"), "HTTP/1.0 404 Not Found"},
        {"other action", QuorvelRequest("/index.php?goto=imei&action=list&s=490139200000001"),
         "HTTP/1.0 404 Not Found"},
        {"URL without a path", QuorvelRequest("http://imei.example"), "HTTP/1.0 404 Not Found"},
        {"POST", "POST " + AnalysisTarget("490139200000001") + " HTTP/1.0\r\n\r\n",
         "HTTP/1.0 405 Method Not Allowed"},
    };
    for (const auto& c : cases) {
        const std::string reply = service.Respond(c.request);
        EXPECT_EQ(StatusLine(reply), c.status) << c.name;
        EXPECT_EQ(reply.find("Manufacturer"), std::string::npos) << c.name;
    }
}

TEST(AnalysisServiceLogin, AnalysisAsksForALoginOtherPagesAreUnchanged) {
    const AnalysisService service(testing::FixtureDirectory(), true);
    const std::string reply = service.Respond(QuorvelRequest(AnalysisTarget("490139200000001")));
    EXPECT_EQ(StatusLine(reply), "HTTP/1.0 200 OK");
    const ReducedPage page = ReducePage(Body(reply));
    EXPECT_TRUE(page.loginRequired);
    EXPECT_EQ(Body(reply).find("Nokia"), std::string::npos);
    EXPECT_EQ(StatusLine(service.Respond(QuorvelRequest("/"))), "HTTP/1.0 404 Not Found");
    EXPECT_EQ(StatusLine(service.Respond(QuorvelRequest(AnalysisTarget("1")))),
              "HTTP/1.0 400 Bad Request");
}

TEST(ApprovalCountryCode, NamesTheCountryOfTheApprovalBody) {
    const struct {
        const char* imei;
        const char* code;
    } cases[] = {
        {"011948000000000", "US"},
        {"330106670000000", "FR"},
        {"356759040000000", "GB"},
        {"449194510000000", "GB"},
        {"450000000000000", "DK"},
        {"490139200000000", "DE"},
        {"500000000000000", "DE"},
        {"510000000000000", "DE"},
        {"520000000000000", "DE"},
        {"530000000000000", "N/A"},
        {"860000000000000", "N/A"},
        {"000000000000000", "N/A"},
        {"3", "N/A"},
    };
    for (const auto& c : cases) EXPECT_EQ(ApprovalCountryCode(c.imei), c.code) << c.imei;
}

TEST(RenderAnalysisPage, UnknownCountryStillGivesACountryLine) {
    const ReducedPage page = ReducePage(RenderAnalysisPage("860000000000000", nullptr));
    EXPECT_TRUE(EndsWith(page.lines, "\r\nCountry of handset approval: N/A\r\n")) << page.lines;
    EXPECT_NE(page.lines.find("Approval body: N/A\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quorvel
