// Client references of orders.
#include "RandomId.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(MakeRandomIdTest, NumberBelow10000FollowedByTheTickCount)
{
    const DWORD before = GetTickCount();
    const std::string id = MakeRandomId().GetString();
    const DWORD after = GetTickCount();

    ASSERT_FALSE(id.empty());
    ASSERT_EQ(std::string::npos, id.find_first_not_of("0123456789")) << id;
    bool shaped = false;
    for (size_t prefix = 1; prefix <= 4 && prefix < id.size(); ++prefix)
    {
        const std::string ticks = id.substr(prefix);
        if (ticks[0] == '0' && ticks.size() > 1)
            continue;
        const unsigned long long value = std::stoull(ticks);
        shaped = shaped || (value >= before && value <= after);
    }
    EXPECT_TRUE(shaped) << id << " between ticks " << before << " and " << after;
}

TEST(MakeRandomIdTest, NeverRepeatsAcrossThreads)
{
    // Unseeded threads draw the same random numbers and share tick values: the references
    // must still differ.
    const int kThreads = 8, kPerThread = 500;
    std::vector<std::vector<std::string>> ids(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&ids, t] {
            for (int i = 0; i < kPerThread; ++i)
                ids[t].push_back(MakeRandomId().GetString());
        });
    for (std::thread& thread : threads)
        thread.join();

    std::set<std::string> all;
    for (const std::vector<std::string>& list : ids)
        all.insert(list.begin(), list.end());
    EXPECT_EQ((size_t)kThreads * kPerThread, all.size());
}

} // namespace
