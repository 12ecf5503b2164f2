// Every input that comes from outside, fed with its valid examples, their mutations and
// random bytes (see MutationRunner.h for what is checked). The default run is short enough
// for every build; a longer one takes --mutation-scale=N (N times the inputs) and
// --mutation-seed=S (other inputs), or the variables TOLVAN_MUTATION_SCALE and
// TOLVAN_MUTATION_SEED.
#include "MutationRunner.h"

#include "FileCrypt.h"
#include "HistoryData.h"
#include "HistoryText.h"
#include "HoravaneConfig.h"
#include "KLineReply.h"
#include "LoginProcess.h"
#include "MarketListReply.h"
#include "MessageFramer.h"
#include "QuoteReply.h"
#include "QuoteStreamParser.h"
#include "DepthStreamParser.h"
#include "ReplyTestSupport.h"
#include "SelfListFile.h"
#include "ServerList.h"
#include "ServerClock.h"
#include "ServerTimeText.h"
#include "SessionData.h"
#include "TradeReplyParser.h"
#include "ConnectionRegistry.h"
#include "UserSettingsFile.h"
#include "WebServiceConfig.h"
#include "WebServices.h"
#include "DBOrder.h"
#include "DBUser.h"
#include "DownloadFile.h"
#include "ExcelServer.h"
#include "StrategyText.h"
#include "UpdateCheck.h"
#include "XlsxWorkbook.h"

#include "testsupport/FakeHttpServer.h"
#include "testsupport/ProcessFigures.h"
#include "testsupport/RecordingWindow.h"
#include "testsupport/TestFiles.h"

#include <minizip/zip.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <sstream>

using namespace mutation;

namespace {

// Collects what is wrong with one input's results.
class Problems
{
public:
    void Expect(bool holds, const std::string& what)
    {
        if (!holds && m_text.empty())
            m_text = what;
    }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

CString AsCString(const std::string& bytes)
{
    return CString(bytes.data(), static_cast<int>(bytes.size()));
}

std::string Str(const CString& text)
{
    return std::string(static_cast<LPCSTR>(text), text.GetLength());
}

size_t CountOf(const std::string& text, const char* what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// A folder of scratch files, removed at the end.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        m_path.Format("%smutation-%lu-%lu\\", base, GetCurrentProcessId(), GetTickCount());
        CreateDirectoryA(m_path, nullptr);
    }
    ~ScratchFolder() { tolvan::test::RemoveFolder(m_path); }
    CString File(const char* name) const { return m_path + name; }
    const CString& Path() const { return m_path; }
    void Write(const char* name, const std::string& bytes) const { tolvan::test::WriteFileBytes(File(name), bytes); }
    std::vector<std::string> Names() const { return tolvan::test::FileNamesIn(m_path); }
    void Empty() const
    {
        for (const std::string& name : Names())
            DeleteFileA(m_path + name.c_str());
    }

private:
    CString m_path;
};

// Chunk sizes of a receive loop, taken from the input so that the split is reproducible.
std::vector<size_t> ChunksOf(const std::string& input)
{
    std::vector<size_t> chunks;
    size_t at = 0, n = 0;
    while (at < input.size())
    {
        const size_t size = 1 + (static_cast<unsigned char>(input[n++ % input.size()]) % 64);
        chunks.push_back(std::min(size, input.size() - at));
        at += chunks.back();
    }
    return chunks;
}

// --- the trading connection ------------------------------------------------------------

TEST(InputMutation, Framer)
{
    const EntryPoint entry = {
        "framer",
        {"OrderInfo@cid:1#oid:7#st:Submitted#@PositionResult@[GC|x|COMEX#0#2#2331.2#1#USD]#@",
         "^^12~~hello, world^^0~~text#@", "^^", "^^99~~short", "#@#@#@",
         "[XAUUSD][lP=2318.40]@[XAUUSD][bP=2319.90]@#@^^5~~abcde"},
        12000, 512};
    RunEntryPoint(entry, [](const std::string& input) {
        Problems problems;
        // The same stream in one read and in many: framing must not depend on the reads.
        CMessageFramer whole;
        std::vector<CString> all;
        whole.Append(input.data(), input.size(), all);

        CMessageFramer pieces;
        std::vector<CString> chunked;
        size_t at = 0;
        for (size_t size : ChunksOf(input))
        {
            pieces.Append(input.data() + at, size, chunked);
            at += size;
        }
        size_t messageBytes = 0;
        for (const CString& message : all)
            messageBytes += message.GetLength();
        problems.Expect(messageBytes + whole.GetPendingBytes() + whole.GetDroppedBytes() <= input.size(),
                        "messages, kept and dropped bytes add up to more than was received");
        problems.Expect(all.size() == chunked.size(), "another number of messages when received in pieces");
        for (size_t i = 0; i < all.size() && i < chunked.size(); ++i)
            problems.Expect(all[i] == chunked[i], "another message when received in pieces");
        problems.Expect(whole.GetPendingBytes() == pieces.GetPendingBytes(),
                        "other bytes kept when received in pieces");
        return problems.Text();
    });
}

CString LoginEntry(const char* name, const char* host, const char* type)
{
    CString entry;
    entry.Format("%s|a|b|%s|9001|x|%s|c|d|range", name, host, type);
    return entry;
}

std::string LoginReply()
{
    const CString servers = LoginEntry("CSM_P", "10.0.0.1", "1") + "&" + LoginEntry("DEPTH", "10.0.0.4", "2") + "&" +
                            LoginEntry("TRADE", "10.0.0.5", "3") + "&" + LoginEntry("QUERY", "10.0.0.6", "4") + "&" +
                            LoginEntry("PROXY", "10.0.0.7", "5") + "&" + LoginEntry("PQ", "10.0.0.8", "6") + "&";
    return Str("loginresult@status:1#mark:M-77#code:C-1#trademark:TM#loginrange:LR#nikename:张三#markserver:" +
               servers + "#@");
}

// A login reply with count trading servers, past the cap or up to it.
std::string LoginReplyOf(int count)
{
    CString servers;
    for (int i = 0; i < count; ++i)
    {
        CString host;
        host.Format("10.0.%d.%d", i / 250, i % 250 + 1);
        servers += LoginEntry("TRADE", host, "3") + "&";
    }
    return Str("loginresult@status:1#mark:M#code:C#markserver:" + servers + "#@");
}

TEST(InputMutation, LoginReply)
{
    const EntryPoint entry = {"login reply",
                              {LoginReply(), "loginresult@status:-1#@", "loginresult@status:1#@", LoginReplyOf(1000),
                               LoginReplyOf(1001)},
                              1500, 512};
    RunEntryPoint(entry, [](const std::string& input) {
        Problems problems;
        CSessionData session;
        CString error;
        const int result = session.ParseLoginResult(AsCString(input), error);
        problems.Expect(result == 1 || result == -2 || result == -4, "a result outside 1, -2 and -4");
        size_t servers = 0;
        for (int type = 1; type <= CSessionData::kServerTypeCount; ++type)
            servers += session.GetServers(type).size();
        problems.Expect(servers <= CSessionData::kMaxServers, "more servers than a list may hold");
        for (int type = 1; type <= CSessionData::kServerTypeCount; ++type)
        {
            const std::vector<ServerRecord*>& servers = session.GetServers(type);
            problems.Expect(session.m_nServerCount[type - 1] == static_cast<int>(servers.size()),
                            "a server count that is not the size of its list");
            for (const ServerRecord* server : servers)
                problems.Expect(server != nullptr, "a null server in a list");
        }
        return problems.Text();
    });
}

TEST(InputMutation, FirstLoginReceiver)
{
    const EntryPoint entry = {"first-login receiver", {LoginReply(), "loginresult@status:-1#@"}, 1000, 512};
    RunEntryPoint(entry, [](const std::string& input) {
        Problems problems;
        CLoginProcess login;
        size_t at = 0;
        for (size_t size : ChunksOf(input))
        {
            login.OnReceive(nullptr, reinterpret_cast<const BYTE*>(input.data() + at), static_cast<int>(size));
            at += size;
        }
        const int result = login.GetResult();
        problems.Expect(result == CLoginProcess::kResultNone || result == CLoginProcess::kResultAccepted ||
                            result == CLoginProcess::kResultIncomplete || result == CLoginProcess::kResultRefused ||
                            result == CLoginProcess::kResultServerDataError,
                        "an unknown result");
        problems.Expect(login.GetPendingReplyBytes() <= input.size(), "more bytes kept than received");
        return problems.Text();
    });
}

TEST(InputMutation, TradeReplies)
{
    replytest::RecordingHost host;
    CConnectionRegistry registry;
    CTradeReplyParser parser(host, registry);
    const EntryPoint entry = {
        "trade replies",
        {"OrderInfo@cid:123#fnum:0#mg:#oid:1001#ps:0.0000#st:Submitted#ty:LMT#an:BUY#ot:2024-06-14 10:30:00"
         "#cn:XAUUSD#qy:100#op:2318.40#@",
         "OrderInfo@cid:1#st:Submitted#st:Cancelled#junk#oid:7#@OrderInfo@cid:2#oid:8#@",
         "PositionResult@[GC|美黄金|COMEX#0#2#2331.20#100#USD][CL|美原油|NYMEX#1#3#77.80#0.5#USD]#@",
         "SubmittedOrdersResult@[a][SMART GC|美黄金|COMEX#5001#0#2331.2#2#202406 14#10:30 :00#4662.40#3.0#1#2#F#1.5#2#O,P]"
         "[CL||NYMEX#5002#1#77.8#3#20240614#10:31:00#233.4#1.0#0#3#F#-0.2##C,P][too|short#1#2]#@",
         "ExecOrdersResult@[20240614 10:30:00#GC#2#2331.2][20240614#x][20240614 10:31:05#CL#1#77.8]#@",
         "SummaryResult@1000.5#10#20#970.5#900#-1#USD#@", "EditPwdResult@-2#@", "SameLogin@#@",
         "ClientResult@[80002#李娜#1#2#3#4#5#1#USD][80003#short][80004#刘洋#1#2#3#4#5#1#USD]#@",
         "loginresult@status:-1#@", "loginresult@status:1#name:80001#@"},
        6000, 512};
    host.SetMultiplier("GC", 100.0);
    RunEntryPoint(entry, [&](const std::string& input) {
        // The recording window copies every record while it is delivered: a count that does
        // not match its array, or a record that is not whole, shows here.
        const CString message = AsCString(input);
        parser.ParseOrderMessage(message);
        parser.ParseQueryMessage(message);
        parser.ParseOwnTradeMessage(message);
        parser.ParseProxyQueryMessage(message);
        // A list's records each come from one "[...]" item and each copy starts a line (a
        // field may hold more line feeds).
        Problems problems;
        for (const tolvan::test::RecordedMessage& record : host.Window().Messages())
            if (record.hasPayload && record.payload.compare(0, 6, "count=") == 0)
            {
                const size_t count = strtoul(record.payload.c_str() + 6, nullptr, 10);
                problems.Expect(count <= CountOf(input, "[") && count <= CountOf(record.payload, "\n"),
                                "a list whose count is not its number of records");
            }
        host.Window().Clear();
        return problems.Text();
    });
    parser.GetInitialQuery().Stop(5000);
}

// One message of count ticks: more than one cycle's batch holds, so the parser hands over
// batches while it reads.
std::string ManyTicks(int count)
{
    std::string ticks;
    for (int i = 0; i < count; ++i)
        ticks += "[XAUUSD][lP=" + std::to_string(2300 + i % 50) + ".00]@";
    return ticks;
}

TEST(InputMutation, QuoteStream)
{
    tolvan::test::RecordingWindow window;
    std::unique_ptr<CQuoteStreamParser> parser;
    int quoteDown = 1;
    size_t fed = 0;
    const EntryPoint entry = {
        "quote stream",
        {"loginresult@status:1#name:80001#opentime:06:00#stoptime:24:00#@",
         "contractlist@[contractlist|FEC|外汇现货-FX][XAUUSD|伦敦金|2|FX][EURUSD|欧元美元|5]#@",
         "[XAUUSD][closePrice=2300.00]@[XAUUSD][lP=2318.40]@#@",
         "[XAUUSD][lP=2320.00]@[XAUUSD][bP=2319.90]@[XAUUSD][volume=0]@[NOPE][lP=1]@#@",
         "[XAUUSD][volume=100]@[XAUUSD][volume=90]@[XAUUSD][volume=150]@",
         "[EURUSD][lP=1.08000]@[EURUSD][lP=1.07000]@[EURUSD][aP=1.09000]@[EURUSD][aV=5]@[EURUSD][bV=7]@",
         ManyTicks(5000)},
        1000, 512};
    RunEntryPoint(entry, [&](const std::string& input) {
        // A fresh connection now and then, so that what one input taught the parser is not
        // kept for the whole run.
        if (fed++ % 200 == 0)
        {
            parser = std::make_unique<CQuoteStreamParser>();
            for (size_t i = 0; i < 2; ++i)
                parser->ParseMessage(NetMessage{"20240614 10:30:00", AsCString(entry.examples[i])}, quoteDown,
                                     "80001", window);
        }
        parser->BeginCycle();
        parser->ParseMessage(NetMessage{"20240614 10:30:01", AsCString(input)}, quoteDown, "80001", window);
        QuoteBatch batch;
        parser->BuildBatch(batch, quoteDown);
        window.Clear();

        Problems problems;
        const size_t records = CountOf(input, "@") + 1;
        for (size_t i = 0; i < batch.size(); ++i)
        {
            const QuoteUpdate& update = batch[i];
            problems.Expect(i == 0 || batch[i - 1].rowLatest.strCode < update.rowLatest.strCode,
                            "a batch not in code order, or a code twice");
            problems.Expect(update.vecTicks.size() <= records, "more ticks than records");
            for (const QuoteRow& tick : update.vecTicks)
                problems.Expect(tick.strCode == update.rowLatest.strCode, "a tick of another code");
        }
        problems.Expect(batch.size() <= parser->GetRows().size(), "more updates than instruments");
        return problems.Text();
    });
}

TEST(InputMutation, DepthStream)
{
    tolvan::test::RecordingWindow window;
    const EntryPoint entry = {
        "depth stream",
        {"[0][1][1][2318.40][12]@[0][1][2][2318.60][5]@[4][1][2][2320.00][1]@",
         "[4][1][0][2319.00][3]@[4][2][0][][]@[0][1][1][1][1]@[0][2][1][x][y]@",
         "[5][1][1][1][1]@[-1][1][2][1][1]@[0][3][1][1][1]@", "[1][1][1][2318.40@", "loginresult@status:-2#@"},
        12000, 512};
    RunEntryPoint(entry, [&](const std::string& input) {
        DepthBook book;
        SetDepthBookIndex(book, 1, "depth");
        const int result = ParseDepthUpdate(book, AsCString(input), window);
        window.Clear();
        Problems problems;
        problems.Expect(result == 0 || result == -1, "a result other than 0 and -1");
        for (int i = 0; i < DepthBook::LEVELS; ++i)
            for (const DepthLevel* level : {&book.sell[i], &book.buy[i]})
            {
                problems.Expect(level->strPrice.IsEmpty() || input.find(Str(level->strPrice)) != std::string::npos,
                                "a price that is not in the message");
                problems.Expect(level->strVolume.IsEmpty() || input.find(Str(level->strVolume)) != std::string::npos,
                                "a volume that is not in the message");
            }
        return problems.Text();
    });
}

// --- the HTTP services -------------------------------------------------------------------

std::string KLineBarJson(const char* date, const char* time, const char* close)
{
    return std::string("{\"date\":\"") + date + "\",\"time\":\"" + time + "\",\"openPrice\":\"7.1\",\"closePrice\":\"" +
           close + "\",\"high\":\"9.9\",\"low\":\"1.1\",\"volume\":100,\"price\":\"" + close + "\"}";
}

TEST(InputMutation, KLineReply)
{
    const EntryPoint entry = {
        "K-line reply",
        {"{\"returnCode\":200,\"returnMsg\":\"ok\",\"list\":[" + KLineBarJson("2024-06-14", "10:05:00", "2") + "," +
             KLineBarJson("2024-06-14", "9:35", "3") + "],\"listDate\":[" + KLineBarJson("2024-06-14", "09:35", "4") +
             ",\"{\\\"date\\\":\\\"2024-06-14\\\",\\\"time\\\":\\\"09:40\\\",\\\"closePrice\\\":\\\"5\\\"}\"]}",
         "{\"returnCode\":500,\"returnMsg\":\"busy\"}", "{\"returnCode\":200,\"list\":[]}"},
        8000, 512};
    const int periods[] = {0, 1, 5, 60, KLINE_PERIOD_INTRADAY};
    size_t fed = 0;
    RunEntryPoint(entry, [&](const std::string& input) {
        Problems problems;
        std::vector<KLineBar> bars;
        const int result = ParseKLineReply("CSM", "600000", periods[fed++ % 5], input, bars);
        problems.Expect(result == 0 || (result == -1 && bars.empty()), "bars of a reply that was not accepted");
        SortAndDeduplicateBars(bars);
        for (size_t i = 0; i < bars.size(); ++i)
        {
            problems.Expect(bars[i].strCode == "600000", "a bar without the requested code");
            problems.Expect(bars[i].strTime.GetLength() <= 5, "a time longer than HH:MM");
            problems.Expect(i == 0 || !CompareBarTime(bars[i], bars[i - 1]), "bars out of order");
            problems.Expect(i == 0 || !IsSameBarTime(bars[i], bars[i - 1]), "a bar time twice");
        }
        return problems.Text();
    });
}

TEST(InputMutation, WebJsonReplies)
{
    const std::string quote =
        "{\"returnCode\":200,\"returnMsg\":\"ok\",\"list\":[{\"code\":\"600000\",\"name\":\"%E6%B5%A6\",\"price\":\"7.10\","
        "\"volume\":1000,\"b1_p\":\"7.09\",\"a1_p\":7.11}]}";
    const EntryPoint entry = {
        "JSON replies",
        {quote, "{\"returnCode\":500,\"list\":[]}",
         u8"[{\"index\":\"1\",\"code\":\"600000\",\"name\":\"浦江银行\",\"name_en\":\"PJ Bank\",\"type\":\"1\"},"
         u8"{\"code\":\"000002\",\"name\":\"no index\",\"type\":\"1\"}]",
         "{\"returnCode\":\"200\",\"returnMsg\":{\"version\":12}}",
         "{\"returnCode\":200,\"code\":\"[{\\\"date\\\":\\\"2024-06-13\\\"},{\\\"date\\\":\\\"2024-06-14\\\"}]\"}",
         "{\"returnCode\":200,\"code\":\"false: 参数错误\"}",
         "[600000|7.10|7.00|7.20|6.90|7.30|7.19|7.21|1000|7200.00|300|7.19|400|7.21|1|100|0.01]"
         "[000001|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15]"},
        8000, 512};
    RunEntryPoint(entry, [](const std::string& input) {
        Problems problems;
        std::vector<WebQuoteRecord> records;
        CString message;
        const int quoteResult = ParseQuoteReply(input, records, &message);
        problems.Expect(quoteResult == 0 || (quoteResult == -1 && records.empty()),
                        "quote records of a reply that was not accepted");

        std::vector<MarketListItem> items;
        const bool listed = ParseMarketList(input, items);
        problems.Expect(listed || items.empty(), "list items of a list that was not accepted");
        ParseListVersion(input);

        std::vector<QuoteRow> rows;
        ParseSnapshotText(input, rows);
        problems.Expect(rows.size() <= CountOf(input, "["), "more snapshot rows than records");

        std::vector<CString> dates;
        ParseMarketCalendar(input, dates);
        NoticeRecord notice;
        ParseNoticeReply(input, notice);
        return problems.Text();
    });
}

HistoryRequest MinuteWindow()
{
    HistoryRequest request;
    request.nPeriod = 1;
    request.strStartDate = "20240613";
    request.strStartTime = "09:00:00";
    request.strEndDate = "20240614";
    request.strEndTime = "24:00:00";
    return request;
}

TEST(InputMutation, HistoryReplies)
{
    const EntryPoint entry = {
        "history replies",
        {"<r><result>\n20240613 09:00 1.5 1.2 2 1 10\r\n2024-06-13 10:00:00 9.5 10.2 11 9 10\n"
         "20240613 10:00:00 5 5 5 5 5\n20240613  12:00:00 5 5 5 5 5\n20240614 24:00:00 7 7 8 6 10\n</result></r>",
         "<result>20240613 1 2 3 4 5\n20240614 2 1 3 4 5\n</result>",
         "20240603 10 11 12 13 14\n20240604 11 10 12 13 14\n20240604 9 9 9 9 9\n20240601 1 1 1 1 1\n"
         "20240605 1 x 1 1 1\n20240606  1 1 1 1 1\n20240610 12 12 1 1 1\n"},
        6000, 512};
    RunEntryPoint(entry, [](const std::string& input) {
        Problems problems;
        const CString text = AsCString(input);

        // The history-data service: bars in the window, strictly in time order, counted.
        HistoryPacket packet;
        const int added = ParseHistoryResult(ExtractTagText(text, "result"), MinuteWindow(), packet);
        int chained = 0;
        CString previous;
        for (WickplotBar* bar = packet.pFirst; bar != nullptr; ++chained)
        {
            problems.Expect(bar->nIndex == chained, "a bar index that is not its place");
            problems.Expect(bar->strTime.GetLength() == 8 || bar->strTime.GetLength() == 17,
                            "a bar time that is not YYYYMMDD or YYYYMMDD HH:MM:SS");
            problems.Expect(previous.IsEmpty() || previous < bar->strTime, "bars out of time order");
            problems.Expect(bar->strTime >= "20240613 09:00:00" && bar->strTime <= "20240614 24:00:00",
                            "a bar outside the window");
            previous = bar->strTime;
            WickplotBar* next = bar->pNext;
            delete bar;
            bar = next;
        }
        problems.Expect(added == chained && packet.nCount == chained, "a bar count that is not the chain's");

        // The trading-history text: rows of the range, ascending dates, linked both ways.
        std::unique_ptr<HistoryList> list(ParseHistoryTextOn("20240612", "20240601", "20240630", text, true));
        if (list)
        {
            int count = 0;
            const HistoryRow* before = nullptr;
            for (const HistoryRow* row = list->pFirst; row != nullptr; row = row->pNext, ++count)
            {
                problems.Expect(row->nIndex == count && row->pPrev == before, "a row out of its place");
                problems.Expect(before == nullptr || before->strDate < row->strDate, "rows not in date order");
                problems.Expect(row->strDate != "20240612", "a row of today");
                before = row;
            }
            problems.Expect(count == list->nCount && count > 0 && list->pLast == before,
                            "a row count that is not the list's");
        }
        return problems.Text();
    });
}

// --- files ----------------------------------------------------------------------------

std::string Encrypted(const char* text)
{
    CFileCrypt crypt;
    crypt.SetPlainLength(static_cast<unsigned>(strlen(text)) + 1);
    std::string bytes(CFileCrypt::EncryptedSize(crypt.GetPlainLength()), '\0');
    crypt.EncryptBuffer(reinterpret_cast<const unsigned char*>(text), reinterpret_cast<unsigned char*>(&bytes[0]),
                        static_cast<unsigned>(bytes.size()));
    return bytes;
}

const char kSelfList[] = "600000,00700,000001,EURUSD,";
const char kUserSettings[] = "用户名:user01\nserveListIndexAnalog:1\nserveListIndexTrue:0\n";

TEST(InputMutation, EncryptedFileBytes)
{
    const EntryPoint entry = {"encrypted file bytes", {Encrypted(kSelfList), Encrypted(kUserSettings), Encrypted("x")},
                              12000, 256};
    RunEntryPoint(entry, [](const std::string& input) {
        Problems problems;
        CFileCrypt crypt;
        const unsigned char* data = reinterpret_cast<const unsigned char*>(input.data());
        const unsigned length = crypt.DecryptLength(input.empty() ? nullptr : data, static_cast<unsigned>(input.size()));
        problems.Expect(length == 0 || CFileCrypt::EncryptedSize(length) == input.size(),
                        "a stated length that does not fit the file");
        if (length != 0)
        {
            std::string plain(length, '\0');
            problems.Expect(crypt.DecryptBuffer(data, reinterpret_cast<unsigned char*>(&plain[0]), length),
                            "the blocks of an accepted length could not be decrypted");
        }
        return problems.Text();
    });
}

TEST(InputMutation, DecryptedTexts)
{
    const EntryPoint entry = {"decrypted texts", {kSelfList, kUserSettings, "", ",,600000"}, 12000, 256};
    RunEntryPoint(entry, [](const std::string& input) {
        Problems problems;
        const CString text = AsCString(input);
        std::vector<CString> codes;
        if (ParseSelfListText(text, codes))
        {
            problems.Expect(codes.size() <= SELF_LIST_MAX_CODES, "more codes than a list holds");
            for (const CString& code : codes)
                problems.Expect(!code.IsEmpty() && code.GetLength() <= SELF_LIST_MAX_CODE_LENGTH &&
                                    code.Find(',') < 0 && input.find(Str(code)) != std::string::npos,
                                "a code that is not a field of the text");
        }
        else
        {
            problems.Expect(codes.empty(), "codes of a refused text");
        }
        UserSettings settings;
        if (ParseUserSettingsText(text, settings))
        {
            problems.Expect(settings.nServeListIndexAnalog >= -1 && settings.nServeListIndexAnalog <= USER_SETTINGS_MAX_INDEX &&
                                settings.nServeListIndexTrue >= -1 && settings.nServeListIndexTrue <= USER_SETTINGS_MAX_INDEX,
                            "an index out of range");
            problems.Expect(settings.strUserName.GetLength() <= USER_SETTINGS_MAX_NAME_BYTES, "a user name too long");
        }
        return problems.Text();
    });
}

// The speed-sorted server list as read after decryption: entry i and record i name the same
// server, and a list is taken only whole.
TEST(InputMutation, ServerListTexts)
{
    const EntryPoint entry = {"server list texts",
                              {"[ArrangeNetwork]\r\nS1,主站:10.0.0.1:9001:k\r\nS2,备站:10.0.0.2:9001:k\r\n",
                               "[ArrangeNetwork]\n\n,x\n:y\nz", "[Other]\r\nS1,a:b:c:d\r\n", ""},
                              3000, 256};
    RunEntryPoint(entry, [](const std::string& input) {
        Problems problems;
        ServerList list;
        list.records.push_back(ServerListRecord());
        list.entries.push_back("kept");
        const ServerListParseResult result = ParseArrangedServerList(AsCString(input), list);
        problems.Expect(list.records.size() == list.entries.size(), "records and entries that do not pair up");
        for (size_t i = 0; i < list.records.size() && i < list.entries.size(); ++i)
            problems.Expect(result != SERVER_LIST_OK || std::string(list.records[i].host) == list.entries[i],
                            "an entry that shows another server than its record");
        problems.Expect(result == SERVER_LIST_OK || (list.entries.size() == 1 && list.entries[0] == "kept"),
                        "a refused list that replaced the one before");
        return problems.Text();
    });
}

TEST(InputMutation, EncryptedFilesOnDisk)
{
    ScratchFolder folder;
    const EntryPoint entry = {"encrypted files on disk", {Encrypted(kSelfList), Encrypted(kUserSettings)}, 150, 128};
    RunEntryPoint(entry, [&](const std::string& input) {
        Problems problems;
        folder.Write(SELF_LIST_FILE_NAME, input);
        QuoteStore store;
        const BOOL listLoaded = LoadSelfList(folder.Path(), store);
        problems.Expect(listLoaded || folder.Names() == std::vector<std::string>{std::string(SELF_LIST_FILE_NAME) + ".damaged"},
                        "a self list that was not read and not set aside");
        folder.Empty();

        folder.Write("usrcfg.ini", input);
        UserSettings settings;
        const BOOL settingsLoaded = LoadUserSettings(folder.File("usrcfg.ini"), settings);
        problems.Expect(settingsLoaded || folder.Names() == std::vector<std::string>{"usrcfg.ini.damaged"},
                        "user settings that were not read and not set aside");
        folder.Empty();
        return problems.Text();
    });
}

// The self list where its file is locked, read-only, or cannot be set aside: whatever the
// bytes, a list that did not load is either kept under a ".damaged" name or left as it was.
TEST(InputMutation, SelfListFileStates)
{
    ScratchFolder folder;
    const CString path = folder.File(SELF_LIST_FILE_NAME);
    size_t fed = 0;
    const EntryPoint entry = {"self list file states", {Encrypted(kSelfList), Encrypted("")}, 24, 128};
    RunEntryPoint(entry, [&](const std::string& input) {
        Problems problems;
        const int state = static_cast<int>(fed++ % 4);  // plain, read-only, locked, aside names taken
        folder.Write(SELF_LIST_FILE_NAME, input);
        if (state == 3)
            for (int n = 1; n <= 100; ++n)
            {
                CString taken = path + ".damaged";
                if (n > 1)
                    taken.AppendFormat("%d", n);
                tolvan::test::WriteFileBytes(taken, "older");
            }
        if (state == 1)
            SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY);
        HANDLE held = state == 2 ? CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                 : INVALID_HANDLE_VALUE;
        QuoteStore store;
        const SelfListLoadResult loaded = LoadSelfListFile(folder.Path(), store);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        const bool present = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
        if (loaded == SELF_LIST_UNREADABLE)
            problems.Expect(present && tolvan::test::ReadFileBytes(path) == input,
                            "a list that could not be read was changed or moved");
        else if (loaded == SELF_LIST_SET_ASIDE)
            problems.Expect(!present, "a damaged list set aside is still in its place");
        problems.Expect(loaded != SELF_LIST_MISSING, "a file that is there was called missing");
        problems.Expect(state != 2 || loaded == SELF_LIST_UNREADABLE, "a locked file was read or moved");
        for (const std::string& name : folder.Names())
            SetFileAttributesA(folder.Path() + name.c_str(), FILE_ATTRIBUTE_NORMAL);
        folder.Empty();
        return problems.Text();
    });
}

// --- downloads and the update list ----------------------------------------------------------

// Whatever a server answers, a download succeeds only with the whole body of a "200" answer,
// and a failed one keeps the old file and leaves nothing beside it.
TEST(InputMutation, DownloadAnswers)
{
    ScratchFolder folder;
    tolvan::test::FakeHttpServer server;
    std::string answer;
    server.SetFallback([&answer](const tolvan::test::HttpRequest&) {
        return tolvan::test::HttpResponse::RawBytes(answer);
    });
    const std::string address = server.BaseUrl() + "/update/TolvanUpdate.ini";
    const EntryPoint entry = {
        "download answers",
        {"HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\n[Update]\r\nV=", "HTTP/1.1 404 Not Found\r\n",
         "HTTP/1.1 302 Found\r\nLocation: /x\r\nContent-Length: 4\r\n\r\nmove", "HTTP/1.1 204 No Content\r\n\r\n",
         "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nshort",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nabcd\r\n0\r\n\r\n",
         "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", "HTTP/1.0 200 OK\r\n\r\nbody"},
        20, 256};
    RunEntryPoint(entry, [&](const std::string& input) {
        Problems problems;
        answer = input;
        folder.Write("TolvanUpdate.ini", "old list");
        DownloadTimeouts timeouts;
        timeouts.lowSpeedSeconds = 2;
        const bool done = DownloadFile(address.c_str(), folder.File("TolvanUpdate.ini"), timeouts);
        const std::string kept = tolvan::test::ReadFileBytes(folder.File("TolvanUpdate.ini"));
        if (done)
            problems.Expect(input.find(" 200") != std::string::npos && input.find("\n\r\n") != std::string::npos &&
                                (kept.empty() || input.find(kept) != std::string::npos ||
                                 input.find("chunked") != std::string::npos),
                            "a download that succeeded without a whole 200 answer");
        else
            problems.Expect(kept == "old list", "a failed download changed the old file");
        problems.Expect(folder.Names().size() == 1, "files left beside the target");
        folder.Empty();
        return problems.Text();
    });
}

TEST(InputMutation, UpdateLists)
{
    ScratchFolder folder;
    const CString list = folder.File("TolvanUpdate.ini");
    char full[MAX_PATH];
    GetFullPathNameA(folder.Path() + "root", MAX_PATH, full, nullptr);
    const std::string root = std::string(full) + "\\";
    const EntryPoint entry = {
        "update lists",
        {"[Config]\r\nVersion=8\r\nUrl=http://x/\r\n[Files]\r\nupdate\\UpdateList.ini=1\r\nupdate\\Tolvan.exe=3\r\n"
         "update\\a\\b.dll=4\r\n",
         "Version=4294967297\nupdate\\CON=1\nupdate\\aux.dll=1\n\x81update\\x.dll=2\nupdate\\..\\..\\evil=1\n",
         "Version=1\r\nupdate\\x.dll=1\x1A\r\nupdate\\y.dll=2\r\n"},
        300, 512};
    RunEntryPoint(entry, [&](const std::string& input) {
        Problems problems;
        folder.Write("TolvanUpdate.ini", input);
        ReadVersionFromFile(list);
        std::vector<CString> entries;
        problems.Expect(ReadUpdateList(list, entries), "a list that could be opened was not read");
        problems.Expect(entries.size() <= CountOf(input, "\n") + 1, "more entries than lines");
        // Whatever the names, every file goes below the root, and never to a device.
        std::vector<std::string> targets;
        CompareUpdateLists(list, {}, entries, full, [&](const CString&, const CString& target) {
            targets.push_back(std::string(target));
            return true;
        });
        for (const std::string& target : targets)
        {
            // Longer paths cannot be created through the ANSI file functions at all.
            if (target.size() >= MAX_PATH)
                continue;
            static char resolved[32768];
            const DWORD length = GetFullPathNameA(target.c_str(), sizeof(resolved), resolved, nullptr);
            problems.Expect(length > 0 && length < sizeof(resolved) &&
                                std::string(resolved).compare(0, root.size(), root) == 0,
                            "a file outside the root: " + target);
            problems.Expect(std::string(resolved).compare(0, 4, "\\\\.\\") != 0, "a device as target: " + target);
        }
        return problems.Text();
    });
}

// --- console texts and workbooks ---------------------------------------------------------

// A strategy whose values come from the input either is refused when written or reads back
// as itself.
TEST(InputMutation, StrategyTextRoundTrip)
{
    const EntryPoint entry = {"strategy text round trip",
                              {"黄金跟单|2|反向", std::string("N\x81|1|x", 7), "|", "a:b|c@d|e#f", "中\xD6|\x81@|\xFE"},
                              3000, 96};
    RunEntryPoint(entry, [](const std::string& input) {
        Problems problems;
        // Three values from the input: the name, a leg's multiple and an account's name.
        const size_t first = input.find('|');
        const size_t second = first == std::string::npos ? first : input.find('|', first + 1);
        const auto part = [&input](size_t from, size_t to) {
            from = std::min(from, input.size());
            to = std::min(to, input.size());
            return CString(input.data() + from, static_cast<int>(to - from));
        };
        StrategyInfo strategy;
        strategy.nStragegyId = 7;
        strategy.strStrategyName = part(0, first);
        StrategyLeg leg;
        leg.strContractType = "外汇现货";
        leg.bEnable = 1;
        leg.strMultiple = part(first == std::string::npos ? input.size() : first + 1, second);
        strategy.vecStrategy.push_back(leg);
        UserStrategy user;
        user.userId = "80001";
        user.userName = part(second == std::string::npos ? input.size() : second + 1, input.size());
        user.strategyId = "7";
        const StrategyTextRecord built = BuildStrategyText(1, strategy, {user});
        if (built.valid == 1)
        {
            StrategyInfo read;
            std::vector<UserStrategy> users;
            const StrategyParseResult result = ParseStrategyText(built, read, users);
            problems.Expect(result.verified == 1, "a written text that does not verify");
            problems.Expect(read.strStrategyName == strategy.strStrategyName && read.vecStrategy.size() == 1 &&
                                read.vecStrategy[0].strMultiple == leg.strMultiple && users.size() == 1 &&
                                users[0].userName == user.userName,
                            "a written strategy that reads back as another");
        }
        // The input itself as a text to read.
        StrategyTextRecord record;
        record.valid = 1;
        record.text = AsCString(input);
        StrategyInfo read;
        std::vector<UserStrategy> users;
        ParseStrategyText(record, read, users);
        return problems.Text();
    });
}

// Texts from servers and sheets go into the console tables as they come. Every value either
// reads back as its own conversion through UTF-8, or is refused with nothing stored: one that
// cannot pass whole (a NUL inside, a text the code page refuses) is never stored cut.
TEST(InputMutation, ConsoleTableRoundTrip)
{
    ScratchFolder folder;
    CDBUser users(folder.File("DU"), "0123456789abcdef0123456789abcdef");
    CDBOrder orders(folder.File("DO"), "0123456789abcdef0123456789abcdef");
    const EntryPoint entry = {"console table round trip",
                              {"王芳", "x'); delete from User; --", std::string("A\0B", 3), "N\x81", "\xFF\xFE"},
                              50, 64};
    RunEntryPoint(entry, [&](const std::string& input) {
        Problems problems;
        const CString value = AsCString(input);
        bool whole = input.find('\0') == std::string::npos;
        std::string expected;
        try
        {
            expected = CDBBase::Utf8ToAnsi(CDBBase::AnsiToUtf8(value).c_str());
        }
        catch (const std::exception&)
        {
            whole = false;
        }

        UserStrategy user;
        user.userId = "1";
        user.userName = value;
        user.strategyId = "1";
        user.strategyName = value;
        const bool userStored = users.ReplaceAll({user});
        std::vector<UserStrategy> readUsers;
        problems.Expect(users.LoadAll(readUsers, "", true, -1, 0), "the users could not be read");
        problems.Expect(userStored == whole, whole ? "a user refused" : "a user stored that cannot pass whole");
        problems.Expect(readUsers.size() == (userStored ? 1u : 0u), "another number of users than was stored");
        for (const UserStrategy& read : readUsers)
            problems.Expect(Str(read.userName) == expected && Str(read.strategyName) == expected,
                            "a user name that reads back as another: " + Printable(Str(read.userName)));

        OrderRow order;
        order.clientName = value;  // a key column
        order.cid = "1";
        order.oid = "1";
        order.st = value;
        order.ot = "2026-12-10 10:00:00";
        const bool orderStored = orders.UpsertOrder(order);
        std::vector<OrderRow> readOrders;
        problems.Expect(orders.QueryOrders(readOrders, "2026-12-10", "2026-12-11", "", true, -1, 0),
                        "the orders could not be read");
        problems.Expect(orderStored == whole, whole ? "an order refused" : "an order stored that cannot pass whole");
        problems.Expect(readOrders.size() == (orderStored ? 1u : 0u), "another number of orders than was stored");
        for (const OrderRow& read : readOrders)
            problems.Expect(Str(read.clientName) == expected && Str(read.st) == expected,
                            "an order text that reads back as another: " + Printable(Str(read.st)));
        orders.DeleteAll();
        return problems.Text();
    });
}

// A workbook of one sheet whose part is the input, written with the shared strings "zero"
// and "one".
bool WriteWorkbook(const CString& path, const std::string& sheetXml)
{
    zipFile zip = zipOpen64(path, APPEND_STATUS_CREATE);
    if (zip == nullptr)
        return false;
    const std::pair<const char*, std::string> parts[] = {
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
         "Id=\"rId1\" Type=\"ws\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {"xl/workbook.xml",
         "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
         "<sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/sharedStrings.xml", "<sst><si><t>zero</t></si><si><t>one</t></si></sst>"},
        {"xl/worksheets/sheet1.xml", sheetXml},
    };
    bool written = true;
    for (const auto& part : parts)
        written = written && zipOpenNewFileInZip64(zip, part.first, nullptr, nullptr, 0, nullptr, 0, nullptr,
                                                   Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0) == ZIP_OK &&
                  zipWriteInFileInZip(zip, part.second.data(), static_cast<unsigned>(part.second.size())) == ZIP_OK &&
                  zipCloseFileInZip(zip) == ZIP_OK;
    return zipClose(zip, nullptr) == ZIP_OK && written;
}

const char kSheetXml[] =
    "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c><c r=\"B1\"><v>2.5</v></c>"
    "<c t=\"inlineStr\"><is><t>x</t></is></c></row><row><c><v>7</v></c><c r=\"XFD2\" t=\"b\"><v>1</v></c></row>"
    "<row r=\"1048576\"><c r=\"A1048576\" t=\"s\"><v>0</v></c></row></sheetData></worksheet>";

TEST(InputMutation, WorkbookSheets)
{
    ScratchFolder folder;
    const CString path = folder.File("book.xlsx");
    const EntryPoint entry = {"workbook sheets",
                              {kSheetXml, "<worksheet><sheetData/></worksheet>",
                               "<worksheet><sheetData><row><c t=\"s\"><v>x</v></c></row></sheetData></worksheet>"},
                              60, 256};
    RunEntryPoint(entry, [&](const std::string& input) {
        Problems problems;
        DeleteFileA(path);
        if (!WriteWorkbook(path, input))
            return std::string("the workbook could not be written");
        XlsxWorkbook book;
        problems.Expect(book.Open(std::string(path)), "a workbook with sound parts not opened");
        XlsxSheet sheet;
        if (book.ReadSheet(0, sheet))
        {
            for (const auto& cell : sheet.texts)
                problems.Expect(cell.first.first >= 1 && cell.first.first <= 1048576 && cell.first.second >= 1 &&
                                    cell.first.second <= 16384 && !cell.second.empty(),
                                "a cell outside A1:XFD1048576, or an empty text kept");
            problems.Expect(sheet.UsedRows() <= 1048576 && sheet.UsedColumns() <= 16384, "a used range past the sheet");
        }
        else
        {
            problems.Expect(!book.Error().empty(), "a refused sheet without a reason");
        }
        return problems.Text();
    });
    // A bomb of one sheet of blanks: refused before it is inflated.
    std::string blanks = "<worksheet>" + std::string(64 * 1024 * 1024, ' ') + "</worksheet>";
    ASSERT_TRUE(WriteWorkbook(path, blanks));
    blanks.clear();
    blanks.shrink_to_fit();
    const size_t memoryBefore = tolvan::test::PrivateBytes();
    XlsxWorkbook bomb;
    ASSERT_TRUE(bomb.Open(std::string(path)));
    XlsxSheet sheet;
    EXPECT_FALSE(bomb.ReadSheet(0, sheet));
    EXPECT_LT(tolvan::test::PrivateBytes(), memoryBefore + 48u * 1024 * 1024);
}

// The automation server the console's reader drives ("Excel.Application", our own where no
// Excel is installed), registered in this prefix as the import tests do.
bool RegisterAutomationServer()
{
    typedef HRESULT(WINAPI * ServerEntry)();
    HMODULE server = LoadLibraryA("TolvanExcel.dll");
    if (server == nullptr)
        return false;
    const ServerEntry call = reinterpret_cast<ServerEntry>(GetProcAddress(server, "DllRegisterServer"));
    const bool registered = call != nullptr && SUCCEEDED(call());
    FreeLibrary(server);
    return registered;
}

// What ReadExcelSheet gives back must be what it promises, whatever the file held.
std::string CheckSheetRead(int result, const CString& sheetName, const std::vector<std::vector<CString>>& rows)
{
    Problems problems;
    problems.Expect(result == 0 || result == 3 || result == 4, "an unexpected result " + std::to_string(result));
    problems.Expect(result == 0 || rows.empty(), "a refused sheet that gave rows");
    problems.Expect(result != 0 || !sheetName.IsEmpty(), "a sheet read without its name");
    problems.Expect(rows.size() <= 65536, "more rows than a strategy sheet holds");
    for (const std::vector<CString>& row : rows)
        problems.Expect(row.size() == 12, "a row of other than twelve texts");
    return problems.Text();
}

// Workbooks through the automation server, as the strategy import opens them: the sheet's
// part from the input, and the whole file's bytes from the input.
TEST(InputMutation, AutomationServerWorkbooks)
{
    ASSERT_TRUE(RegisterAutomationServer());
    ScratchFolder folder;
    const CString path = folder.File("book.xlsx");
    const auto read = [&path](std::string& problem) {
        CString sheetName;
        std::vector<std::vector<CString>> rows;
        const int result = ReadExcelSheet(path, sheetName, rows);
        problem = CheckSheetRead(result, sheetName, rows);
        return result;
    };
    const char kSoundSheet[] = "<worksheet><sheetData><row r=\"2\"><c r=\"A2\" t=\"s\"><v>1</v></c><c r=\"M2\">"
                               "<v>3</v></c></row></sheetData></worksheet>";
    const EntryPoint sheets = {"automation server sheets",
                               {kSoundSheet, kSheetXml, "<worksheet><sheetData/></worksheet>",
                                "<worksheet><dimension ref=\"A1:XFD1048576\"/><sheetData><row r=\"1\"><c r=\"A1\">"
                                "<v>1</v></c></row></sheetData></worksheet>"},
                               30, 256};
    RunEntryPoint(sheets, [&](const std::string& input) {
        DeleteFileA(path);
        if (!WriteWorkbook(path, input))
            return std::string("the workbook could not be written");
        std::string problem;
        read(problem);
        return problem;
    });

    DeleteFileA(path);
    ASSERT_TRUE(WriteWorkbook(path, kSoundSheet));
    std::string problem;
    ASSERT_EQ(0, read(problem)) << problem;
    const EntryPoint files = {"automation server files", {tolvan::test::ReadFileBytes(path)}, 30, 512};
    RunEntryPoint(files, [&](const std::string& input) {
        folder.Write("book.xlsx", input);
        std::string problem;
        read(problem);
        return problem;
    });
}

// --- the clock ------------------------------------------------------------------------

TEST(InputMutation, ClockAnswers)
{
    const EntryPoint entry = {"clock answers",
                              {"2030-06-16 04:00:00", "2030-06-16 04:00:00\n", "2000-01-01 00:00:00",
                               std::string("\xF5\x61\x43\xC0", 4)},
                              10000, 64};
    RunEntryPoint(entry, [](const std::string& input) {
        Problems problems;
        const CString text = AsCString(input);
        __time64_t utc = 0;
        if (CServerTimeText::ToUtc(text, utc))
        {
            problems.Expect(CServerClock::IsPlausibleTime(utc + CServerTimeText::kTextZoneSeconds),
                            "a text of an implausible date accepted");
            CServerTimeText::DateNumber(text);
        }

        // Four bytes as an RFC 868 answer: a text that reads back as the same instant, or none.
        if (input.size() >= 4)
        {
            const DWORD seconds = (DWORD(BYTE(input[0])) << 24) | (DWORD(BYTE(input[1])) << 16) |
                                  (DWORD(BYTE(input[2])) << 8) | DWORD(BYTE(input[3]));
            __time64_t answer = 0;
            if (CServerTimeText::ToUtc(CServerTimeText::FromTimeProtocolSeconds(seconds), answer))
                problems.Expect(answer == static_cast<__time64_t>(seconds) - 2208988800LL,
                                "an RFC 868 answer read back as another instant");
        }

        // Eight bytes as an offset: the clock takes it only to a plausible time.
        if (input.size() >= 8)
        {
            __int64 offset = 0;
            memcpy(&offset, input.data(), sizeof(offset));
            CServerClock clock([] { return DWORD(1000); }, [] { return __time64_t(1765000000); });
            const bool taken = clock.ApplyServerOffset(offset);
            problems.Expect(taken ? CServerClock::IsPlausibleTime(clock.Now()) : clock.Now() == 1765000000,
                            "an offset taken to an implausible time, or a refused one that moved the clock");
        }
        return problems.Text();
    });
}

// --- start-up settings ------------------------------------------------------------------

TEST(InputMutation, StartupIniFiles)
{
    ScratchFolder folder;
    const CString path = folder.File("settings.ini");
    const EntryPoint entry = {
        "start-up ini files",
        {"[TimeProtocol]\r\nHost1=127.0.0.1:3737\r\nHost2=bad:0\r\nHost4=time.example\r\n"
         "[Soap]\r\nEndpoint=http://127.0.0.1:9/time.wsdl\r\nNamespace=urn:time\r\n",
         "[WebService]\r\nBaseUrl=http://quotes.example:8080/\r\nMarketDayUrl=http://calendar.example\r\n"
         "TokenKeyText=xqv~tomr~dne\r\nTokenIv=000102030405060708090a0b0c0d0e0f\r\n"},
        100, 256};
    RunEntryPoint(entry, [&](const std::string& input) {
        Problems problems;
        folder.Write("settings.ini", input);
        CHoravaneConfig config;
        config.Load(path);
        problems.Expect(config.m_timeServers.size() <= CHoravaneConfig::kMaxTimeServers, "more than five time servers");
        for (const TimeServerAddress& server : config.m_timeServers)
            problems.Expect(!server.strHost.IsEmpty() && server.nPort != 0, "a time server without host or port");

        SetWebServiceSettings(DefaultWebServiceSettings());
        const bool accepted = LoadWebServiceSettings(path);
        unsigned char iv[16];
        problems.Expect(!accepted || DecodeHexBlock(GetWebServiceSettings().strTokenIvHex, iv),
                        "an initialisation vector that is not 16 bytes");
        SetWebServiceSettings(DefaultWebServiceSettings());
        return problems.Text();
    });
}

// --- growth with the size of the input ---------------------------------------------------

// Readers split a whole reply or file into fields before they check anything, so a text of
// nothing but separators (up to the 4 MiB a reply may hold) must cost linear time.
TEST(InputMutation, SplittingReadersGrowLinearly)
{
    // 16 times the base is the size of reply that a quadratic split held for minutes, and
    // stays below the 4 MiB a reply may hold.
    const size_t kBase = 100000;
    replytest::RecordingHost host;
    CConnectionRegistry registry;
    CTradeReplyParser parser(host, registry);
    tolvan::test::RecordingWindow window;
    const auto repeated = [](const char* head, char separator, const char* tail) {
        return [=](size_t size) { return head + std::string(size, separator) + tail; };
    };
    CheckGrowth("login reply of separators", kBase, repeated("loginresult@status:1", '#', "@"),
                [](const std::string& input) {
                    CSessionData session;
                    CString error;
                    session.ParseLoginResult(AsCString(input), error);
                    return std::string();
                });
    CheckGrowth("positions reply of brackets", kBase, repeated("PositionResult@", ']', "#@"),
                [&](const std::string& input) {
                    parser.ParseQueryMessage(AsCString(input));
                    host.Window().Clear();
                    return std::string();
                });
    CheckGrowth("quote login reply of separators", kBase, repeated("loginresult@status:1", '#', "@"),
                [&](const std::string& input) {
                    CQuoteStreamParser quotes;
                    int quoteDown = 1;
                    quotes.ParseMessage(NetMessage{"20240614 10:30:00", AsCString(input)}, quoteDown, "80001", window);
                    window.Clear();
                    return std::string();
                });
    CheckGrowth("history reply of line feeds", kBase, repeated("", '\n', ""), [](const std::string& input) {
        HistoryPacket packet;
        ParseHistoryResult(AsCString(input), MinuteWindow(), packet);
        for (WickplotBar* bar = packet.pFirst; bar != nullptr;)
        {
            WickplotBar* next = bar->pNext;
            delete bar;
            bar = next;
        }
        return std::string();
    });
    CheckGrowth("self list of separators", kBase, repeated("600000", ',', "000001,"), [](const std::string& input) {
        std::vector<CString> codes;
        ParseSelfListText(AsCString(input), codes);
        return std::string();
    });
    CheckGrowth("user settings of line feeds", kBase, repeated("用户名:user01", '\n', "serveListIndexTrue:0\n"),
                [](const std::string& input) {
                    UserSettings settings;
                    ParseUserSettingsText(AsCString(input), settings);
                    return std::string();
                });
    parser.GetInitialQuery().Stop(5000);
}

// An update list of up-to-date entries: comparing it with the local one, and reading it.
TEST(InputMutation, UpdateListsGrowLinearly)
{
    ScratchFolder folder;
    const CString list = folder.File("TolvanUpdate.ini");
    const auto entries = [](size_t count) {
        std::string text = "Version=2\n";
        for (size_t i = 0; i < count; ++i)
            text += "update\\file" + std::to_string(i) + ".dll=" + std::to_string(i % 7) + "\n";
        return text;
    };
    CheckGrowth("comparing up-to-date update lists", 8000, entries, [&](const std::string& input) {
        folder.Write("TolvanUpdate.ini", input);
        std::vector<CString> remote;
        ReadUpdateList(list, remote);
        size_t downloads = 0;
        CompareUpdateLists(list, remote, remote, folder.Path(), [&downloads](const CString&, const CString&) {
            ++downloads;
            return true;
        });
        return downloads == 0 ? std::string() : std::string("an up-to-date entry was downloaded");
    });
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ReadOptions(argc, argv);
    return RUN_ALL_TESTS();
}
