// The digit order of the password keypad: the ten digits in a random order, so that the
// places of the keys tell an onlooker nothing.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace keyguard {

// `pick(n)` returns an index below n.
std::vector<int> ShuffleDigits(const std::function<int(int)>& pick);

// An index below n from a source of 32-bit random words, without the bias of a plain
// remainder: words from the incomplete last round are drawn again.
int PickBelow(int n, const std::function<uint32_t()>& nextWord);

// A picker over the system's cryptographic random source: a layout seen, or many of them,
// tells nothing of the next one (a clock-seeded generator gives its seed away).
std::function<int(int)> SystemPicker();

}  // namespace keyguard
