// The start's wait for the instrument lists (with a counted clock), the statistics address,
// the adapter address text and the per-user folders.
#include "StartupTasks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CountedClock
{
    DWORD now = 1000;
    StartupClock Make()
    {
        return StartupClock{[this] { return now; }, [this](DWORD ms) { now += ms; }};
    }
};

std::vector<InstrumentListStep> Steps(std::string& reports, const int (&readyAfterMs)[4], CountedClock& clock)
{
    std::vector<InstrumentListStep> steps;
    const char* names[] = {"csm list", "csm info", "hks list", "hks info"};
    for (int i = 0; i < 4; ++i)
    {
        const int after = readyAfterMs[i];
        const std::string name = names[i];
        steps.push_back(InstrumentListStep{[&clock, after] { return after >= 0 && clock.now - 1000 >= (DWORD)after ? 1 : 0; },
                                           [&reports, name] { reports += name + ";"; }});
    }
    return steps;
}

TEST(InstrumentListWaitTest, ReadyListsAreReportedInOrderWithoutWaiting)
{
    CountedClock clock;
    std::string reports;
    const int ready[4] = {0, 0, 0, 0};
    WaitForInstrumentLists(Steps(reports, ready, clock), 20000, clock.Make());
    EXPECT_EQ("csm list;csm info;hks list;hks info;", reports);
    EXPECT_EQ(1000u, clock.now);
}

TEST(InstrumentListWaitTest, TheBudgetIsSharedAndAListThatNeverComesIsSkipped)
{
    CountedClock clock;
    std::string reports;
    const int ready[4] = {-1, 1500, 0, 30000};
    WaitForInstrumentLists(Steps(reports, ready, clock), 20000, clock.Make());
    EXPECT_EQ("csm info;hks list;", reports);
    // 20 s for the first list; the last one gets one more look 500 ms later.
    EXPECT_EQ(1000u + 20000u + 500u, clock.now);
}

TEST(StatisticsTest, AddressAndAdapterText)
{
    const BYTE address[] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    EXPECT_EQ(CString("001A2B3C4D5E"), FormatMacAddress(address, 6));
    EXPECT_EQ(CString("http://h:1/StatisticTolvan/insertStatistic?mode=p&mark=001A2B3C4D5E"),
              BuildStatisticsAddress("http://h:1", "001A2B3C4D5E"));
}

TEST(UserFoldersTest, CreatesTheProxyFolderOfTheUser)
{
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    CString appData;
    appData.Format("%sappdata-%lu", base, ::GetCurrentProcessId());
    ::CreateDirectoryA(appData, NULL);
    CString folder;
    ASSERT_TRUE(CreateUserFolders(appData, "abc", folder));
    EXPECT_EQ(appData + "\\Tolvan证券\\abc\\Proxy\\", folder);
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_DIRECTORY, ::GetFileAttributesA(folder) & FILE_ATTRIBUTE_DIRECTORY);
    CString again;
    EXPECT_TRUE(CreateUserFolders(appData, "abc", again)) << "existing folders are fine";
    ::RemoveDirectoryA(folder);
    ::RemoveDirectoryA(appData + "\\Tolvan证券\\abc");
    ::RemoveDirectoryA(appData + "\\Tolvan证券");
    ::RemoveDirectoryA(appData);
}

}  // namespace
