// Cost per received byte of cutting a server's stream into messages and of collecting the
// first-login reply, with the bytes arriving in small reads and in page-sized ones. Small
// reads must not cost much more per byte than large ones, whatever is pending.
#include <benchmark/benchmark.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "LoginProcess.h"
#include "MessageFramer.h"
#include "SessionData.h"

namespace {

const size_t kStreamBytes = 16 * 1024 * 1024;

enum StreamKind
{
    kMixedMessages,  // texts and length-prefixed frames, as a busy connection sends them
    kOneLongText,    // one record of the largest size kept, its "#@" in the last read
    kOneLongFrame,   // one length-prefixed frame of the largest payload
    kCaretRun,       // nothing but "^"
};

std::string MakeStream(int kind)
{
    std::string stream;
    stream.reserve(kStreamBytes);
    switch (kind)
    {
    case kMixedMessages:
    {
        char text[160];
        const std::string payload(1000, 'p');
        for (int i = 0; stream.size() + 2048 < kStreamBytes; ++i)
        {
            snprintf(text, sizeof(text), "OrderInfo@cid:%d#st:Submitted#code:XAUUSD#price:2318.40#qty:%d#@", i, i % 90);
            stream += text;
            if (i % 4 == 0)
                stream += "^^" + std::to_string(payload.size()) + "~~" + payload;
        }
        break;
    }
    case kOneLongText:
        stream.assign(kStreamBytes - 2, 't');
        stream += "#@";
        break;
    case kOneLongFrame:
    {
        const std::string header = "^^" + std::to_string(kStreamBytes - 12) + "~~";
        stream = header + std::string(kStreamBytes - 12, 'f');
        break;
    }
    case kCaretRun:
        stream.assign(kStreamBytes, '^');
        break;
    }
    return stream;
}

const std::string& Stream(int kind)
{
    static std::string streams[4];
    if (streams[kind].empty())
        streams[kind] = MakeStream(kind);
    return streams[kind];
}

// Arguments: stream kind, read size.
void BM_Framer(benchmark::State& state)
{
    const std::string& stream = Stream((int)state.range(0));
    const size_t readSize = (size_t)state.range(1);
    std::vector<CString> messages;
    size_t taken = 0;
    for (auto _ : state)
    {
        CMessageFramer framer;
        for (size_t at = 0; at < stream.size(); at += readSize)
        {
            framer.Append(stream.data() + at, std::min(readSize, stream.size() - at), messages);
            taken += messages.size();
            messages.clear();
        }
        benchmark::DoNotOptimize(taken);
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)stream.size());
}
BENCHMARK(BM_Framer)
    ->ArgNames({"kind", "read"})
    ->Args({kMixedMessages, 32})->Args({kMixedMessages, 4096})
    ->Args({kOneLongText, 32})->Args({kOneLongText, 4096})
    ->Args({kOneLongFrame, 32})->Args({kOneLongFrame, 4096})
    ->Args({kCaretRun, 32})->Args({kCaretRun, 4096})->Args({kCaretRun, (int64_t)kStreamBytes})
    ->Unit(benchmark::kMillisecond);

// An accepted login reply of the largest size taken: the most servers allowed, each entry
// padded with carried text (Chinese included) up to the size.
const std::string& LoginReply()
{
    static std::string reply;
    if (!reply.empty())
        return reply;
    const std::string head = "loginresult@status:1#name:80001#mark:MK#code:C1#trademark:1#loginrange:LR#nikename:张伟#markserver:";
    const size_t entryBytes = (CLoginProcess::kMaxReplyBytes - head.size() - 16) / CSessionData::kMaxServers;
    reply = head;
    char entry[128];
    for (int i = 0; i < CSessionData::kMaxServers; ++i)
    {
        snprintf(entry, sizeof(entry), "S%04d|服务器%d|TRD|10.0.%d.%d|%d|", i, i, i / 250, i % 250, 5170 + i % 6);
        std::string text = entry;
        const std::string tail = "|" + std::to_string(1 + i % 6) + "|SIM|0|R" + std::to_string(i) + "&";
        while (text.size() + tail.size() + 10 <= entryBytes)
            text += "说明text";
        reply += text + tail;
    }
    reply += "#@";
    return reply;
}

void BM_LoginReply(benchmark::State& state)
{
    const std::string& reply = LoginReply();
    const size_t readSize = (size_t)state.range(0);
    for (auto _ : state)
    {
        CLoginProcess process;
        for (size_t at = 0; at < reply.size(); at += readSize)
            process.OnReceive(NULL, reinterpret_cast<const BYTE*>(reply.data() + at), (int)std::min(readSize, reply.size() - at));
        if (process.GetResult() != CLoginProcess::kResultAccepted)
        {
            state.SkipWithError("the reply was not accepted");
            break;
        }
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)reply.size());
}
BENCHMARK(BM_LoginReply)->ArgName("read")->Arg(64)->Arg(4096)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
