// Runs one entry point over its valid examples, their mutations and random bytes, and checks
// what holds for every input: the process survives, no input takes longer than the time
// bound, memory stays bounded, and the entry point's own consistency check passes. A hang is
// caught by a watchdog that names the entry point and the input and ends the program.
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
    unsigned inputTimeMs = 2000;   // no single input may take longer
    unsigned hangMs = 60000;       // the watchdog gives up on an input after this
    size_t memoryGrowthBytes = 256u * 1024 * 1024;   // private bytes an entry point may keep
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

// The input as C text with escapes, cut after maxBytes.
std::string Printable(const std::string& input, size_t maxBytes = 300);

}  // namespace mutation
