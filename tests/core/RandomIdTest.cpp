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

// Scripted random numbers and ticks, one of each per reference.
std::vector<std::string> MakeIds(const std::vector<int>& randoms, const std::vector<DWORD>& ticks)
{
    size_t next = 0;
    CRandomIdMaker maker([&] { return randoms[next]; }, [&] { return ticks[next]; });
    std::vector<std::string> ids;
    for (; next < randoms.size(); ++next)
        ids.push_back(maker.Make().GetString());
    return ids;
}

TEST(MakeRandomIdTest, ReferencesStayUniqueWhereNumberAndTickWouldRepeatThem)
{
    struct Case
    {
        const char* name;
        std::vector<int> randoms;
        std::vector<DWORD> ticks;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"the same number in one tick takes the next free one", {7, 7, 9999, 9999}, {1234, 1234, 1234, 1234},
         {"71234", "81234", "99991234", "01234"}},
        {"a new tick frees every number again", {7, 7}, {1234, 1235}, {"71234", "71235"}},
        // "12" + "399" would repeat "123" + "99": past the first tick's length only four-digit
        // numbers are used.
        {"a longer tick text", {123, 12, 4321}, {99, 399, 400}, {"12399", "1000399", "4321400"}},
        // After the tick counter wraps, the last tick stays: 5 and 4294967295 again would
        // repeat the first reference.
        {"a tick counter that wrapped", {5, 5, 5}, {4294967295u, 3, 4}, {"54294967295", "64294967295", "74294967295"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, MakeIds(c.randoms, c.ticks)) << c.name;
}

TEST(MakeRandomIdTest, AllNumbersOfOneTickUsedGoesOnAtTheNextTick)
{
    const std::vector<std::string> ids = MakeIds(std::vector<int>(10001, 0), std::vector<DWORD>(10001, 500));
    EXPECT_EQ("0500", ids.front());
    EXPECT_EQ("9999500", ids[9999]);
    EXPECT_EQ("0501", ids.back());
    EXPECT_EQ(ids.size(), std::set<std::string>(ids.begin(), ids.end()).size());
}

} // namespace
