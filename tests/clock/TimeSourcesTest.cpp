#include "ServerTimeProbe.h"
#include "ServerTimeText.h"
#include "SoapTestServer.h"
#include "SoapTimeClient.h"
#include "TimeProtocolClient.h"

#include "testsupport/FakeHttpServer.h"
#include "testsupport/FakeTcpServer.h"
#include "testsupport/Pump.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace tolvan::test;
using namespace horavane_test;

namespace {

const DWORD kServerRfc868 = 4116772800u;   // 2030-06-15 20:00:00 UTC
const __time64_t kServerUtc = 1907784000;
const char* const kServerText = "2030-06-16 04:00:00";   // the same instant at UTC+8

std::string Rfc868Bytes(DWORD seconds)
{
    return std::string{char(seconds >> 24), char(seconds >> 16), char(seconds >> 8), char(seconds)};
}

// An RFC 868 server that sends `pieces` to every client and closes.
std::unique_ptr<FakeTcpServer> TimeServer(std::vector<std::string> pieces)
{
    return std::make_unique<FakeTcpServer>([pieces](std::shared_ptr<FakeConnection> connection) {
        for (const std::string& piece : pieces)
        {
            connection->Send(piece);
            ::Sleep(20);   // lets the pieces travel apart; nothing depends on it
        }
        connection->Close();
    });
}

TimeServerAddress AddressOf(const FakeTcpServer& server)
{
    return TimeServerAddress{"127.0.0.1", server.Port()};
}

// A loopback port that refuses connections.
TimeServerAddress RefusingAddress()
{
    static FakeTcpServer closed;
    closed.StopAccepting();
    return TimeServerAddress{"127.0.0.1", closed.Port()};
}

class WinsockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(0, ::WSAStartup(MAKEWORD(2, 2), &data));
    }
    void TearDown() override { ::WSACleanup(); }
};

using TimeProtocolClientTest = WinsockTest;

TEST_F(TimeProtocolClientTest, ReadsTheFourBytesEvenInPieces)
{
    for (const auto& pieces : std::vector<std::vector<std::string>>{
             {Rfc868Bytes(kServerRfc868)},
             {Rfc868Bytes(kServerRfc868).substr(0, 1), Rfc868Bytes(kServerRfc868).substr(1)},
             {Rfc868Bytes(kServerRfc868).substr(0, 3), Rfc868Bytes(kServerRfc868).substr(3)}})
    {
        auto server = TimeServer(pieces);
        CTimeProtocolClient client({AddressOf(*server)});
        CString text;
        ASSERT_TRUE(client.QueryTimeProtocol(text)) << pieces.size() << " pieces";
        EXPECT_STREQ("2030-06-16 04:00:00\n", text);
    }
}

TEST_F(TimeProtocolClientTest, ServersWithoutAnAnswerAreSkipped)
{
    struct Case { const char* what; std::vector<std::string> pieces; };
    const Case cases[] = {
        {"four zero bytes", {std::string(4, '\0')}},
        {"three bytes, then closed", {Rfc868Bytes(kServerRfc868).substr(0, 3)}},
        {"one byte, then closed", {Rfc868Bytes(kServerRfc868).substr(0, 1)}},
        {"closed without data", {}},
    };
    auto good = TimeServer({Rfc868Bytes(kServerRfc868 + 60)});
    for (const Case& c : cases)
    {
        auto bad = TimeServer(c.pieces);
        EXPECT_EQ(0u, CTimeProtocolClient::AskServer(AddressOf(*bad))) << c.what;

        CTimeProtocolClient client({AddressOf(*bad), AddressOf(*good)});
        CString text;
        ASSERT_TRUE(client.QueryTimeProtocol(text)) << c.what;
        EXPECT_STREQ("2030-06-16 04:01:00\n", text) << c.what;
        EXPECT_TRUE(PumpUntil([&] { return bad->ConnectionCount() == 2; })) << c.what;
    }
}

// An answer of 1 is 1900: believed, it would move the clock by a century.
TEST_F(TimeProtocolClientTest, AnswersOfImplausibleDatesAreSkipped)
{
    auto good = TimeServer({Rfc868Bytes(kServerRfc868 + 60)});
    for (DWORD seconds : {1u, 2208988800u /* 1970 */, 3155644799u /* 1999-12-31 23:59:59 at UTC+8 */})
    {
        auto bad = TimeServer({Rfc868Bytes(seconds)});
        CTimeProtocolClient client({AddressOf(*bad), AddressOf(*good)});
        CString text;
        ASSERT_TRUE(client.QueryTimeProtocol(text)) << seconds;
        EXPECT_STREQ("2030-06-16 04:01:00\n", text) << seconds;
        EXPECT_EQ(1u, bad->ConnectionCount()) << seconds;
    }
    auto first2000 = TimeServer({Rfc868Bytes(3155644800u)});
    CTimeProtocolClient client({AddressOf(*first2000)});
    CString text;
    ASSERT_TRUE(client.QueryTimeProtocol(text));
    EXPECT_STREQ("2000-01-01 00:00:00\n", text);
}

TEST_F(TimeProtocolClientTest, UnknownHostsAndRefusedPortsAreSkipped)
{
    auto good = TimeServer({Rfc868Bytes(kServerRfc868)});
    CTimeProtocolClient client({TimeServerAddress{"no-such-host.invalid", 37}, RefusingAddress(),
                                AddressOf(*good)});
    CString text;
    ASSERT_TRUE(client.QueryTimeProtocol(text));
    EXPECT_STREQ("2030-06-16 04:00:00\n", text);
}

TEST_F(TimeProtocolClientTest, TheFirstServerThatAnswersEndsTheSearch)
{
    auto first = TimeServer({Rfc868Bytes(kServerRfc868)});
    auto second = TimeServer({Rfc868Bytes(kServerRfc868 + 1)});
    CTimeProtocolClient client({AddressOf(*first), AddressOf(*second)});
    CString text;
    ASSERT_TRUE(client.QueryTimeProtocol(text));
    EXPECT_STREQ("2030-06-16 04:00:00\n", text);
    EXPECT_EQ(0u, second->ConnectionCount());
}

TEST_F(TimeProtocolClientTest, NoServerNoAnswer)
{
    CTimeProtocolClient client({RefusingAddress()});
    CString text;
    EXPECT_FALSE(client.QueryTimeProtocol(text));
    CTimeProtocolClient none({});
    EXPECT_FALSE(none.QueryTimeProtocol(text));
}

// --- SOAP time service ------------------------------------------------------------------

std::string EndpointOf(const FakeHttpServer& server)
{
    return server.BaseUrl() + "/time.wsdl";
}

TEST(SoapTimeClient, AsksCurrentAndReadsTheResult)
{
    FakeHttpServer server;
    const std::string endpoint = EndpointOf(server);
    server.Route("POST", "/time.wsdl", [endpoint](const HttpRequest&) { return SoapTime(endpoint, kServerText); });

    CSoapTimeClient client(endpoint.c_str(), endpoint.c_str());
    CString text;
    ASSERT_EQ(CSoapTimeClient::Answered, client.QueryCurrent(text));
    EXPECT_STREQ(kServerText, text);

    ASSERT_EQ(1u, server.RequestCount());
    const HttpRequest request = server.Requests()[0];
    EXPECT_NE(std::string::npos, request.Header("Content-Type").find("text/xml"));
    EXPECT_TRUE(request.HasHeader("SOAPAction"));
    EXPECT_NE(std::string::npos, request.body.find("http://schemas.xmlsoap.org/soap/envelope/"));
    EXPECT_NE(std::string::npos, request.body.find(":current"));
    EXPECT_NE(std::string::npos, request.body.find("\"" + endpoint + "\""));   // ns1's namespace
}

TEST(SoapTimeClient, UsesTheConfiguredNamespace)
{
    FakeHttpServer server;
    server.Route("POST", "/time.wsdl", [](const HttpRequest& request) {
        if (request.body.find("\"urn:tolvan:time\"") == std::string::npos)
            return SoapFault("urn:tolvan:time");
        return SoapTime("urn:tolvan:time", kServerText);
    });
    CSoapTimeClient client(EndpointOf(server).c_str(), "urn:tolvan:time");
    CString text;
    ASSERT_EQ(CSoapTimeClient::Answered, client.QueryCurrent(text));
    EXPECT_STREQ(kServerText, text);
}

TEST(SoapTimeClient, FailuresGiveNoTime)
{
    struct Case { const char* what; std::function<HttpResponse(const std::string&)> answer; CSoapTimeClient::Result result; };
    const Case cases[] = {
        {"response without result", [](const std::string& ns) { return SoapWithoutResult(ns); }, CSoapTimeClient::NoResult},
        {"SOAP fault", [](const std::string& ns) { return SoapFault(ns); }, CSoapTimeClient::CallFailed},
        {"HTTP 404", [](const std::string&) { return HttpResponse::Text(404, "not here"); }, CSoapTimeClient::CallFailed},
        {"not XML", [](const std::string&) { return HttpResponse::Text(200, "2030-06-16 04:00:00", "text/xml"); }, CSoapTimeClient::CallFailed},
        {"truncated", [](const std::string&) { return HttpResponse::RawBytes("HTTP/1.1 200 OK\r\nContent-Length: 500\r\n\r\n<SOAP-ENV:Env"); }, CSoapTimeClient::CallFailed},
        {"dropped", [](const std::string&) { return HttpResponse::Dropped(); }, CSoapTimeClient::CallFailed},
    };
    for (const Case& c : cases)
    {
        FakeHttpServer server;
        const std::string endpoint = EndpointOf(server);
        auto answer = c.answer;
        server.Route("POST", "/time.wsdl", [answer, endpoint](const HttpRequest&) { return answer(endpoint); });
        CSoapTimeClient client(endpoint.c_str(), endpoint.c_str());
        CString text = "untouched";
        EXPECT_EQ(c.result, client.QueryCurrent(text)) << c.what;
    }

    CSoapTimeClient refused(("http://127.0.0.1:" + std::to_string(RefusingAddress().nPort) + "/time.wsdl").c_str(),
                            "urn:x");
    CString text;
    EXPECT_EQ(CSoapTimeClient::CallFailed, refused.QueryCurrent(text));
}

// --- one measurement -------------------------------------------------------------------

// A local clock that reads `start` before asking and `start + roundTrip` after the answer.
CServerTimeProbe::TimeSource SteppingClock(__time64_t start, __time64_t roundTrip)
{
    auto reads = std::make_shared<int>(0);
    return [=] { return (*reads)++ % 2 == 0 ? start : start + roundTrip; };
}

TEST(ServerTimeProbe, TimeProtocolAnswerGivesDateAndOffset)
{
    auto server = TimeServer({Rfc868Bytes(kServerRfc868)});
    CHoravaneConfig config;
    config.m_timeServers = {AddressOf(*server)};
    config.m_strSoapEndpoint = "http://127.0.0.1:1/unused";
    CServerTimeProbe probe(config);
    probe.SetTimeSource(SteppingClock(kServerUtc - 3600, 3));

    ServerTimeAnswer answer;
    ASSERT_EQ(CServerTimeProbe::Answered, probe.Measure(answer));
    EXPECT_STREQ("2030-06-16 04:00:00\n", answer.strTimeText);
    EXPECT_EQ(20300616, answer.nDate);
    EXPECT_EQ(3600 - 1, answer.nOffset);   // 3 s round trip: 1 s for the way back
}

TEST(ServerTimeProbe, SoapServiceAnswersWhenNoTimeServerDoes)
{
    auto silent = TimeServer({std::string(4, '\0')});
    FakeHttpServer soap;
    const std::string endpoint = EndpointOf(soap);
    soap.Route("POST", "/time.wsdl", [endpoint](const HttpRequest&) { return SoapTime(endpoint, kServerText); });

    CHoravaneConfig config;
    config.m_timeServers = {AddressOf(*silent), RefusingAddress()};
    config.m_strSoapEndpoint = config.m_strSoapNamespace = endpoint.c_str();
    CServerTimeProbe probe(config);
    probe.SetTimeSource(SteppingClock(kServerUtc + 7200, 0));

    ServerTimeAnswer answer;
    ASSERT_EQ(CServerTimeProbe::Answered, probe.Measure(answer));
    EXPECT_STREQ(kServerText, answer.strTimeText);
    EXPECT_EQ(20300616, answer.nDate);
    EXPECT_EQ(-7200, answer.nOffset);
    EXPECT_TRUE(PumpUntil([&] { return silent->ConnectionCount() == 1; }));
}

// A PC whose clock stands in 1970 and a server in 2090: the offset needs more than 32 bits.
// It is sent whole where LPARAM holds it, and not at all (rather than cut) where it does not.
TEST(ServerTimeProbe, OffsetsBeyondThirtyTwoBitsAreNotCut)
{
    FakeHttpServer soap;
    const std::string endpoint = EndpointOf(soap);
    soap.Route("POST", "/time.wsdl", [endpoint](const HttpRequest&) { return SoapTime(endpoint, "2090-01-01 08:00:00"); });
    CHoravaneConfig config;
    config.m_timeServers = {RefusingAddress()};
    config.m_strSoapEndpoint = config.m_strSoapNamespace = endpoint.c_str();
    CServerTimeProbe probe(config);
    probe.SetTimeSource(SteppingClock(0, 0));
    ServerTimeAnswer answer;
#ifdef _WIN64
    ASSERT_EQ(CServerTimeProbe::Answered, probe.Measure(answer));
    EXPECT_EQ(3786912000LL, answer.nOffset);
#else
    EXPECT_EQ(CServerTimeProbe::NoAnswer, probe.Measure(answer));
#endif
}

TEST(ServerTimeProbe, NoAnswerWithoutAReadableTime)
{
    struct Case { const char* what; std::function<HttpResponse(const std::string&)> answer; CServerTimeProbe::Outcome outcome; };
    const Case cases[] = {
        {"fault", [](const std::string& ns) { return SoapFault(ns); }, CServerTimeProbe::NoAnswer},
        {"no result", [](const std::string& ns) { return SoapWithoutResult(ns); }, CServerTimeProbe::NoSoapResult},
        {"result that is no time", [](const std::string& ns) { return SoapTime(ns, "soon"); }, CServerTimeProbe::NoAnswer},
        {"result of 1999", [](const std::string& ns) { return SoapTime(ns, "1999-12-31 23:59:59"); }, CServerTimeProbe::NoAnswer},
        {"result of 2100", [](const std::string& ns) { return SoapTime(ns, "2100-01-01 00:00:00"); }, CServerTimeProbe::NoAnswer},
    };
    for (const Case& c : cases)
    {
        FakeHttpServer soap;
        const std::string endpoint = EndpointOf(soap);
        auto answer = c.answer;
        soap.Route("POST", "/time.wsdl", [answer, endpoint](const HttpRequest&) { return answer(endpoint); });
        CHoravaneConfig config;
        config.m_timeServers = {RefusingAddress()};
        config.m_strSoapEndpoint = config.m_strSoapNamespace = endpoint.c_str();
        CServerTimeProbe probe(config);
        ServerTimeAnswer result;
        EXPECT_EQ(c.outcome, probe.Measure(result)) << c.what;
    }
}

}  // namespace
