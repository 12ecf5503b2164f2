// Runs one entry point over its valid examples, their mutations and random bytes, and checks
// what holds for every input: the process survives, no input uses more CPU time than the
// bound, no input makes the process take more than its share of memory while it runs, memory
// kept afterwards stays bounded, and the entry point's own consistency check passes. A hang
// is caught by a watchdog that names the entry point and the input and ends the program.
// Time is CPU time, not wall time: a loaded machine slows every input down alike, and the
// bound is about work done, not about how busy the machine is. Each input is timed by the
// wall clock, which bounds its CPU time; one slower than the bound is fed again and its CPU
// time decides. Memory is the private bytes (the anonymous memory in use under Wine) the
// input added at its peak, or the rise of the process's peak working set when it set one.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mutation {

struct RunOptions
{
    uint32_t seed = 20261210;      // --mutation-seed=N or TOLVAN_MUTATION_SEED
    unsigned scale = 1;            // --mutation-scale=N or TOLVAN_MUTATION_SCALE: N times the inputs
    unsigned inputCpuMs = 2000;    // no single input may use more CPU time
    unsigned hangMs = 60000;       // the watchdog gives up on an input after this
    size_t memoryGrowthBytes = 256u * 1024 * 1024;   // private bytes an entry point may keep
    size_t inputMemoryBytes = 128u * 1024 * 1024;    // private bytes one input may add while it runs
};

// The options of this run: defaults, then the environment, then the command line.
RunOptions& Options();
void ReadOptions(int argc, char** argv);

// What an entry point does with one input: "" when its results are consistent, else what is
// wrong with them.
typedef std::function<std::string(const std::string& input)> Feed;

struct EntryPoint
{
    const char* name;
    std::vector<std::string> examples;   // valid inputs, fed first and then mutated
    size_t inputs;                       // mutated and random inputs at scale 1
    size_t randomLength;                 // longest random input
};

// Feeds every example, then entry.inputs × scale inputs (nine in ten mutations of an example,
// one in ten random bytes) and reports each failed check through gtest, with the input.
void RunEntryPoint(const EntryPoint& entry, const Feed& feed);

// Growth with the input's size: feeds inputOfSize(n) and inputOfSize(16 n) and fails when the
// larger takes more than 32 times the CPU time of the smaller (linear work takes 16 times; a
// quadratic reader 256 times). The smaller one is repeated until its time is measurable.
typedef std::function<std::string(size_t size)> InputOfSize;
void CheckGrowth(const char* name, size_t baseSize, const InputOfSize& inputOfSize, const Feed& feed);

// The input as C text with escapes, cut after maxBytes.
std::string Printable(const std::string& input, size_t maxBytes = 300);

}  // namespace mutation
