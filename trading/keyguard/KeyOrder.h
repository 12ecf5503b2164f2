// The digit order of the password keypad: the ten digits in a random order, so that the
// places of the keys tell an onlooker nothing.
#pragma once
#include <functional>
#include <vector>

namespace keyguard {

// `pick(n)` returns an index below n.
std::vector<int> ShuffleDigits(const std::function<int(int)>& pick);

// A picker over a generator seeded once per process from the clock and the process, so the
// layout differs from run to run.
std::function<int(int)> SeededPicker();

}  // namespace keyguard
