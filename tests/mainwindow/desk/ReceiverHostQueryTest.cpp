// The receivers' query calls reach the trading rules' query state once the main window's
// trading handlers exist; a kind the host held before is handed over, and after detaching the
// host keeps the state itself again.
#include "MainReceiverHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class RecordingOwner : public IQueryStateOwner
{
public:
    bool SetPendingFromReceiver(int kind) override
    {
        kinds.push_back(kind);
        return true;
    }
    void ResetTicksFromReceiver() override { ++resets; }

    std::vector<int> kinds;
    int resets = 0;
};

TEST(ReceiverHostQueryTest, QueryStateMovesToTheOwnerAndBack)
{
    CMainReceiverHost host(NULL);
    ASSERT_TRUE(host.SetPendingQuery(8));   // the initial load began before the handlers
    RecordingOwner owner;
    host.AttachQueryState(&owner);
    EXPECT_EQ(std::vector<int>{8}, owner.kinds) << "handed over";

    host.SetPendingQuery(0);
    host.ResetQueryTimeout();
    EXPECT_EQ((std::vector<int>{8, 0}), owner.kinds);
    EXPECT_EQ(1, owner.resets);

    host.AttachQueryState(nullptr);
    EXPECT_TRUE(host.SetPendingQuery(1)) << "the host's own state, idle";
    EXPECT_FALSE(host.SetPendingQuery(2));
    EXPECT_EQ(2u, owner.kinds.size()) << "nothing more reaches the detached owner";
}

}  // namespace
