// Which entries of a published update list the updater installs.
#include "UpdateInstall.h"

#include <gtest/gtest.h>

namespace {

TEST(UpdateInstallTest, NewAndNewerEntriesAreDueUnchangedAndOlderOnesAreInstalled)
{
    const std::vector<CString> installed = {"update\\bin\\Same.dll=3", "UPDATE\\bin\\Tolvan.exe=2",
                                            "update\\bin\\Old.dll=5"};
    const std::vector<CString> published = {"update\\bin\\same.dll=3", "update\\bin\\tolvan.exe=3",
                                            "update\\bin\\Old.dll=4", "update\\bin\\New.dll=1"};
    EXPECT_EQ((std::vector<CString>{"update\\bin\\tolvan.exe=3", "update\\bin\\New.dll=1"}),
              SelectDueUpdateEntries(installed, published));
    EXPECT_EQ(published, SelectDueUpdateEntries({}, published)) << "nothing installed: everything is due";
}

}  // namespace
