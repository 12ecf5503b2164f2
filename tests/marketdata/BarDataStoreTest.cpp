#include <stdlib.h>
#include <time.h>
#include <gtest/gtest.h>
#include "BarDataStore.h"
#include "MarketTestData.h"

namespace {

class BarDataStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        _putenv("TZ=CST-8");
        _tzset();
    }
    BarDataStore store;
};

TEST_F(BarDataStoreTest, NothingIsDueForASeriesNeverLoaded)
{
    EXPECT_FALSE(store.IsAfterLastLoad("600000", 5, "2024-03-01 09:35"));
    EXPECT_FALSE(store.IsRefreshDue("600000", 5, "2030-01-01 00:00"));
    EXPECT_TRUE(store.GetLastLoad("600000", 5).empty());
}

TEST_F(BarDataStoreTest, OnlyLaterBarsAreAfterTheLastLoad)
{
    store.SetLastLoad("600000", 1, "2024-03-01 09:30");
    EXPECT_FALSE(store.IsAfterLastLoad("600000", 1, "2024-03-01 09:30"));
    EXPECT_FALSE(store.IsAfterLastLoad("600000", 1, "2024/03/01 09:30"));
    EXPECT_FALSE(store.IsAfterLastLoad("600000", 1, "2024-03-01 09:29"));
    EXPECT_TRUE(store.IsAfterLastLoad("600000", 1, "2024-03-01 09:31"));

    store.SetLastLoad("600000", 1, "2024-03-01 09:31");
    EXPECT_FALSE(store.IsAfterLastLoad("600000", 1, "2024-03-01 09:31"));
}

TEST_F(BarDataStoreTest, RefreshIsDueAfterAWholePeriod)
{
    store.SetLastLoad("600000", 5, "2024-03-01 09:30:00");
    EXPECT_FALSE(store.IsRefreshDue("600000", 5, "2024-03-01 09:34:59"));
    EXPECT_TRUE(store.IsRefreshDue("600000", 5, "2024-03-01 09:35:00"));

    store.SetLastLoad("600000", 0, "2024-03-01 00:00:00");
    EXPECT_TRUE(store.IsRefreshDue("600000", 0, "2024-03-01 00:00:00"));
    EXPECT_FALSE(store.IsRefreshDue("600000", 0, "2024-02-29 23:59:59"));

    // A month's period added to a time near the end of 32-bit time does not wrap
    store.SetLastLoad("600000", 43200, "2038-01-10 00:00:00");
    EXPECT_FALSE(store.IsRefreshDue("600000", 43200, "2038-01-15 00:00:00"));
}

TEST_F(BarDataStoreTest, PeriodsAreKeptApartAndCleared)
{
    store.SetLastLoad("600000", 1, "2024-03-01 10:00");
    store.SetLastLoad("600000", 15, "2024-03-01 09:00");
    store.SetLastLoad("60000", 11, "2024-03-01 08:00"); // "60000_11" vs "600000_1"
    EXPECT_TRUE(store.IsAfterLastLoad("600000", 15, "2024-03-01 09:30"));
    EXPECT_FALSE(store.IsAfterLastLoad("600000", 1, "2024-03-01 09:30"));

    std::map<CString, int> entry = store.GetLastLoad("600000", 15);
    ASSERT_EQ(1u, entry.size());
    EXPECT_EQ(CString("600000_15"), entry.begin()->first);

    store.Clear();
    EXPECT_TRUE(store.GetLastLoad("600000", 1).empty());
    EXPECT_FALSE(store.IsAfterLastLoad("600000", 15, "2024-03-01 09:30"));
}

TEST(BarDataStoreGlobal, OneStorePerProcess)
{
    EXPECT_EQ(&GetBarDataStore(), &GetBarDataStore());
}

} // namespace
