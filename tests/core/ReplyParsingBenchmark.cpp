// Throughput of the quote and depth stream parsers on realistic traffic, next to the cost
// of merely finding the record ends ("#@") in the same bytes. After the runs the program
// prints each parser's throughput as a fraction of that scan.
#include <benchmark/benchmark.h>

#include <stdio.h>
#include <string.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "DepthStreamParser.h"
#include "QuoteStreamParser.h"

namespace {

const int kContracts = 60;
const int kQuoteMessages = 4000;
const int kMessagesPerCycle = 40;  // one receiver cycle of a busy connection
const int kDepthMessages = 4000;

std::string CodeOf(int i)
{
    static const char* const roots[] = {"XAUUSD", "XAGUSD", "EURUSD", "GBPUSD", "CL", "GC", "SI", "HG"};
    return std::string(roots[i % 8]) + (i < 8 ? "" : std::to_string(2400 + i));
}

// A contract list, then tick messages as a quote server sends them: per message a few
// instruments, each with last, bid, ask, sizes, volume, high and low.
struct QuoteStream
{
    NetMessage contractList;
    std::vector<NetMessage> ticks;
    size_t tickBytes = 0;

    QuoteStream()
    {
        std::string list = "contractlist@[contractlist|FEC|外汇现货-FX]";
        for (int i = 0; i < kContracts; ++i)
            list += "[" + CodeOf(i) + "|名称" + std::to_string(i) + "|2|FX]";
        contractList.strText = (list + "#@").c_str();

        std::mt19937 random(20240614);
        std::vector<double> prices(kContracts, 0.0);
        std::vector<int> volumes(kContracts, 1000);
        for (int i = 0; i < kContracts; ++i)
            prices[i] = 50.0 + 40.0 * i;
        char item[128];
        for (int m = 0; m < kQuoteMessages; ++m)
        {
            std::string text;
            const int instruments = 1 + (int)(random() % 4);
            for (int k = 0; k < instruments; ++k)
            {
                const int c = (int)(random() % kContracts);
                prices[c] += ((int)(random() % 7) - 3) * 0.01;
                volumes[c] += (int)(random() % 40);
                const std::string code = CodeOf(c);
                const double last = prices[c];
                const char* const formats[] = {"[%s][lP=%.2f]@", "[%s][bP=%.2f]@", "[%s][aP=%.2f]@"};
                for (int f = 0; f < 3; ++f)
                {
                    snprintf(item, sizeof(item), formats[f], code.c_str(), last + (f - 1) * 0.01);
                    text += item;
                }
                snprintf(item, sizeof(item), "[%s][bS=%d]@[%s][aS=%d]@[%s][volume=%d]@", code.c_str(),
                         (int)(random() % 60), code.c_str(), (int)(random() % 60), code.c_str(), volumes[c]);
                text += item;
                snprintf(item, sizeof(item), "[%s][highPrice=%.2f]@[%s][lowPrice=%.2f]@", code.c_str(), last + 1,
                         code.c_str(), last - 1);
                text += item;
            }
            text += "#@";
            NetMessage message;
            message.strTime = "20240614 10:30:00";
            message.strText = text.c_str();
            ticks.push_back(message);
            tickBytes += text.size();
        }
    }
};

// Depth changes as a depth server sends them: all ten levels on every price change.
struct DepthStream
{
    std::vector<NetMessage> messages;
    size_t bytes = 0;

    DepthStream()
    {
        std::mt19937 random(7);
        char change[96];
        double mid = 2318.40;
        for (int m = 0; m < kDepthMessages; ++m)
        {
            mid += ((int)(random() % 5) - 2) * 0.1;
            std::string text;
            for (int level = 0; level < 5; ++level)
            {
                snprintf(change, sizeof(change), "[%d][1][1][%.2f][%d]@[%d][1][2][%.2f][%d]@", level, mid - 0.1 * (level + 1),
                         (int)(random() % 60) + 1, level, mid + 0.1 * (level + 1), (int)(random() % 60) + 1);
                text += change;
            }
            text += "#@";
            NetMessage message;
            message.strText = text.c_str();
            messages.push_back(message);
            bytes += text.size();
        }
    }
};

const QuoteStream& Quotes()
{
    static const QuoteStream stream;
    return stream;
}

const DepthStream& Depth()
{
    static const DepthStream stream;
    return stream;
}

// The least a parser must do: find every record end.
size_t CountRecordEnds(const std::vector<NetMessage>& messages)
{
    size_t ends = 0;
    for (const NetMessage& message : messages)
    {
        const char* text = message.strText;
        const char* end = text + message.strText.GetLength();
        for (const char* p = text; (p = (const char*)memchr(p, '#', (size_t)(end - p))) != NULL; ++p)
            if (p + 1 < end && p[1] == '@')
                ++ends;
    }
    return ends;
}

void BM_QuoteStreamToBatches(benchmark::State& state)
{
    const QuoteStream& stream = Quotes();
    size_t updates = 0;
    for (auto _ : state)
    {
        CQuoteStreamParser parser;
        int quoteDown = 0;
        parser.ParseMessage(stream.contractList, quoteDown, "80001", NULL);
        QuoteBatch batch;
        for (size_t first = 0; first < stream.ticks.size(); first += kMessagesPerCycle)
        {
            parser.BeginCycle();
            const size_t last = std::min(stream.ticks.size(), first + kMessagesPerCycle);
            for (size_t m = first; m < last; ++m)
                parser.ParseMessage(stream.ticks[m], quoteDown, "80001", NULL);
            parser.BuildBatch(batch, quoteDown);
            updates += batch.size();
            // The receiver frees each batch as soon as the main window has taken it.
            batch.clear();
        }
        benchmark::DoNotOptimize(updates);
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)stream.tickBytes);
}
BENCHMARK(BM_QuoteStreamToBatches)->Unit(benchmark::kMillisecond);

void BM_QuoteStreamScan(benchmark::State& state)
{
    const QuoteStream& stream = Quotes();
    for (auto _ : state)
        benchmark::DoNotOptimize(CountRecordEnds(stream.ticks));
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)stream.tickBytes);
}
BENCHMARK(BM_QuoteStreamScan)->Unit(benchmark::kMillisecond);

void BM_DepthUpdates(benchmark::State& state)
{
    const DepthStream& stream = Depth();
    DepthBook book;
    SetDepthBookIndex(book, 0, "XAUUSD");
    for (auto _ : state)
    {
        for (const NetMessage& message : stream.messages)
            ParseDepthUpdate(book, message.strText, NULL);
        benchmark::DoNotOptimize(book.buy[0].strPrice.GetLength());
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)stream.bytes);
}
BENCHMARK(BM_DepthUpdates)->Unit(benchmark::kMillisecond);

void BM_DepthScan(benchmark::State& state)
{
    const DepthStream& stream = Depth();
    for (auto _ : state)
        benchmark::DoNotOptimize(CountRecordEnds(stream.messages));
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)stream.bytes);
}
BENCHMARK(BM_DepthScan)->Unit(benchmark::kMillisecond);

// A contract list of `entries` contracts, as the quote server sends it after login.
std::string ContractList(int entries)
{
    std::string list = "contractlist@[contractlist|FEC|外汇现货-FX]";
    list.reserve((size_t)entries * 32);
    for (int i = 0; i < entries; ++i)
        list += "[C" + std::to_string(1000000 + i) + "|合约" + std::to_string(i) + "|2|FX]";
    return list + "#@";
}

// The time per entry stays flat from ten thousand to a hundred thousand entries.
void BM_ContractList(benchmark::State& state)
{
    NetMessage message;
    const std::string list = ContractList((int)state.range(0));
    message.strText = list.c_str();
    for (auto _ : state)
    {
        CQuoteStreamParser parser;
        int quoteDown = 0;
        parser.ParseMessage(message, quoteDown, "80001", NULL);
        benchmark::DoNotOptimize(parser.GetContracts().size());
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)list.size());
}
BENCHMARK(BM_ContractList)->RangeMultiplier(10)->Range(10000, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The console report, plus the bytes per second of every benchmark for the ratios at the end:
// the median when the runs were repeated, else the single run.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
        {
            auto rate = run.counters.find("bytes_per_second");
            if (rate == run.counters.end())
                continue;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_rates[run.run_name.str()] = rate->second.value;
            else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                m_rates[run.run_name.str()] = rate->second.value;
        }
    }

    void PrintRatio(const char* parser, const char* scan) const
    {
        auto p = m_rates.find(parser);
        auto s = m_rates.find(scan);
        if (p == m_rates.end() || s == m_rates.end() || s->second <= 0.0)
            return;
        printf("%-26s %9.1f MB/s = %.4f of the \"#@\" scan (%.1f MB/s; scan is %.0fx faster)\n", parser,
               p->second / 1e6, p->second / s->second, s->second / 1e6, s->second / p->second);
    }

private:
    std::map<std::string, double> m_rates;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printf("\nQuote stream: %d messages, %zu bytes; depth stream: %d messages, %zu bytes\n", kQuoteMessages,
           Quotes().tickBytes, kDepthMessages, Depth().bytes);
    reporter.PrintRatio("BM_QuoteStreamToBatches", "BM_QuoteStreamScan");
    reporter.PrintRatio("BM_DepthUpdates", "BM_DepthScan");
    benchmark::Shutdown();
    return 0;
}
