#include <KeyOrder.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

TEST(KeyOrder, EveryDigitIsOnExactlyOneKey)
{
    std::vector<int> picks{3, 0, 7, 2, 5, 4, 1, 0, 1, 0};
    size_t next = 0;
    std::vector<int> order = keyguard::ShuffleDigits([&](int) { return picks[next++]; });
    EXPECT_EQ((std::vector<int>{3, 0, 9, 4, 8, 7, 2, 1, 6, 5}), order);

    std::vector<int> sorted = keyguard::ShuffleDigits(keyguard::SeededPicker());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), sorted);
}

TEST(KeyOrder, ShufflesAreIndependentAndNotTheRuntimeDefaultSequence)
{
    // An unseeded rand() gives the same layouts in every run (those of seed 1); the keypad's
    // do not follow them.
    auto runtimeDefault = [](int n) { return rand() % n; };
    srand(1);
    std::vector<int> first = keyguard::ShuffleDigits(runtimeDefault);
    std::vector<int> second = keyguard::ShuffleDigits(runtimeDefault);
    srand(1);
    EXPECT_FALSE(keyguard::ShuffleDigits(keyguard::SeededPicker()) == first &&
                 keyguard::ShuffleDigits(keyguard::SeededPicker()) == second);

    std::set<std::vector<int>> layouts;
    for (int i = 0; i < 20; ++i)
        layouts.insert(keyguard::ShuffleDigits(keyguard::SeededPicker()));
    EXPECT_GT(layouts.size(), 15u);
}
