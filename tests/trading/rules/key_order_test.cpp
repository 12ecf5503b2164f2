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

    std::vector<int> sorted = keyguard::ShuffleDigits(keyguard::SystemPicker());
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
    EXPECT_FALSE(keyguard::ShuffleDigits(keyguard::SystemPicker()) == first &&
                 keyguard::ShuffleDigits(keyguard::SystemPicker()) == second);

    std::set<std::vector<int>> layouts;
    for (int i = 0; i < 20; ++i)
        layouts.insert(keyguard::ShuffleDigits(keyguard::SystemPicker()));
    EXPECT_GT(layouts.size(), 15u);
}

TEST(KeyOrder, PicksFromRandomWordsWithoutRemainderBias)
{
    // n = 10: words from 4294967290 up lie in an incomplete round and are drawn again.
    struct Case { std::vector<uint32_t> words; int n; int index; };
    const Case cases[] = {
        {{7}, 10, 7},
        {{4294967295u, 4294967290u, 13}, 10, 3},
        {{4294967289u}, 10, 9},
        {{5}, 1, 0},
    };
    for (const Case& c : cases) {
        size_t next = 0;
        EXPECT_EQ(c.index, keyguard::PickBelow(c.n, [&] { return c.words[next++]; })) << c.words[0];
        EXPECT_EQ(c.n > 1 ? c.words.size() : 0u, next) << "every word drawn, and no more";
    }
}
