// Splitting texts from outside: each reader splits a whole reply (or file) into fields before
// it checks anything, so the cost must stay linear in the number of fields. Every case runs at
// a base size and at 16 times it, side by side; the 16x case should take about 16 times as
// long, never the square of it.
#include <benchmark/benchmark.h>

#include <string>

#include "SessionData.h"
#include "TextHelpers.h"

namespace {

const int kBaseFields = 100000;

// Many empty fields, the worst case for the field array: each field costs one element.
void BM_SplitEmptyFields(benchmark::State& state)
{
    const CString text(std::string(static_cast<size_t>(state.range(0)), '#').c_str());
    for (auto _ : state)
    {
        CStringArray fields;
        SplitString(fields, text, "#", true, true);
        benchmark::DoNotOptimize(fields.GetData());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A login reply of the success status followed by nothing but separators.
void BM_LoginReplyOfSeparators(benchmark::State& state)
{
    const CString reply(("loginresult@status:1" + std::string(static_cast<size_t>(state.range(0)), '#') + "@").c_str());
    for (auto _ : state)
    {
        CSessionData session;
        CString error;
        benchmark::DoNotOptimize(session.ParseLoginResult(reply, error));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A growing array filled one element at a time with a fixed step asked for.
void BM_ArrayAddWithSmallStep(benchmark::State& state)
{
    for (auto _ : state)
    {
        CArray<int> numbers;
        numbers.SetSize(0, 16);
        for (int i = 0; i < state.range(0); ++i)
            numbers.Add(i);
        benchmark::DoNotOptimize(numbers.GetData());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

#define SIDE_BY_SIDE(bm) \
    BENCHMARK(bm)->Arg(kBaseFields)->Arg(16 * kBaseFields)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)

SIDE_BY_SIDE(BM_SplitEmptyFields);
SIDE_BY_SIDE(BM_LoginReplyOfSeparators);
SIDE_BY_SIDE(BM_ArrayAddWithSmallStep);

}  // namespace

BENCHMARK_MAIN();
