// The order detail window: which pre-check reply is this order's, how a second reply adds to
// the first, the verdict rows, and the window's buttons by verdict.
#include "OrderDetailDlg.h"
#include "OrderDetailWindow.h"
#include "ReplyMessages.h"

#include <testsupport/Pump.h>
#include <testsupport/Screenshot.h>

#include <gtest/gtest.h>

namespace {

OrderRequest Request(const char* type)
{
    OrderRequest request;
    request.code = "NOPE";
    request.price = "12.50";
    request.quantity = "3";
    request.side = "B";
    request.orderType = type;
    request.clientRef = "4711";
    return request;
}

// A reply as the order connection's parser delivers it: oid, st, mg, im, cid in the record's
// first five members.
OrderInfo Reply(const char* oid, const char* st, const char* mg, const char* im, const char* cid)
{
    OrderInfo info;
    info.cid = oid;
    info.fnum = st;
    info.mg = mg;
    info.oid = im;
    info.ps = cid;
    return info;
}

std::vector<CString> Labels(const std::vector<CPreOrderCheck::Row>& rows)
{
    std::vector<CString> labels;
    for (const auto& row : rows)
        labels.push_back(row.label);
    return labels;
}

TEST(PreOrderCheckTest, RepliesOfThisOrderOnlyAndLaterTextsAdd)
{
    CPreOrderCheck check;
    check.SetOrder(Request("L"));
    SummaryRecord funds;
    funds.strFields[1] = "1000";
    check.SetFunds(funds);

    CPreOrderCheck unreferenced;
    OrderRequest withoutReference = Request("L");
    withoutReference.clientRef.Empty();
    unreferenced.SetOrder(withoutReference);
    EXPECT_FALSE(unreferenced.Accept(Reply("0", "ablesubmit", "", "", ""))) << "an empty reference ties nothing";
    EXPECT_FALSE(check.Accept(Reply("", "ablesubmit", "", "", "")));
    EXPECT_FALSE(check.Accept(Reply("0", "ablesubmit", "1", "2", "999"))) << "another order's reference";
    EXPECT_TRUE(check.Accept(Reply("0", "waiting", "3.456", "1500.5", "4711")));
    EXPECT_EQ(CPreOrderCheck::WAITING, check.GetState()) << "an unknown word gives no verdict";
    EXPECT_TRUE(check.VerdictRows().empty());

    EXPECT_FALSE(check.Accept(Reply("8", "ablesubmit", "", "", "4711"))) << "once held, the order number ties";
    EXPECT_TRUE(check.Accept(Reply("0", "ablesubmit", "", "", "")));
    EXPECT_EQ(CPreOrderCheck::ALLOWED, check.GetState());
    const auto verdict = check.VerdictRows();
    ASSERT_EQ(2u, verdict.size());
    EXPECT_EQ(CString("保证金增加"), verdict[0].label);
    EXPECT_EQ(CString("500.50"), verdict[0].value) << "1500.5 after the order over an initial 1000";
    EXPECT_EQ(CString("3.46"), verdict[1].value) << "the fee kept from the first reply";
}

TEST(PreOrderCheckTest, MarketOrdersShowNoPrice)
{
    CPreOrderCheck check;
    check.SetOrder(Request("M"));
    EXPECT_EQ((std::vector<CString>{"名称", "方向", "订单类型", "数量"}), Labels(check.OrderRows()));
    check.SetOrder(Request("L"));
    const auto rows = check.OrderRows();
    EXPECT_EQ((std::vector<CString>{"名称", "方向", "订单类型", "价格", "数量"}), Labels(rows));
    EXPECT_EQ(CString("买入"), rows[1].value);
    EXPECT_EQ((COLORREF)0x393CFF, rows[1].colour);
    EXPECT_EQ(CString("限价"), rows[2].value);
}

TEST(OrderDetailDlgTest, ButtonsWaitForTheVerdict)
{
    struct Case
    {
        const char* verdict;
        bool enabled;
        const char* okCaption;
    } cases[] = {
        {"ablesubmit", true, "确定"},
        {"unablesubmit", true, "强制交易"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.verdict);
        COrderDetailDlg detail;
        detail.SetOrderRequest(Request("L"));
        SummaryRecord funds;
        funds.strFields[1] = "1000";
        detail.SetAccountSummary(funds);
        ASSERT_TRUE(detail.Create(COrderDetailDlg::IDD, CWnd::GetDesktopWindow()));
        detail.ShowWindow(SW_SHOW);
        EXPECT_EQ(detail.m_hWnd, GetOrderDetailWindow()) << "the receiver's target while open";
        EXPECT_FALSE(detail.GetDlgItem(IDOK)->IsWindowEnabled());
        EXPECT_FALSE(detail.GetDlgItem(IDC_ORDERDETAIL_CANCEL)->IsWindowEnabled());

        const OrderInfo reply = Reply("0", c.verdict, "2.5", "1500.5", "4711");
        ::SendMessage(GetOrderDetailWindow(), WM_PREORDER_INFO, (WPARAM)&reply, 0);
        EXPECT_EQ(c.enabled, detail.GetDlgItem(IDOK)->IsWindowEnabled() != FALSE);
        EXPECT_EQ(c.enabled, detail.GetDlgItem(IDC_ORDERDETAIL_CANCEL)->IsWindowEnabled() != FALSE);
        CString caption;
        detail.GetDlgItem(IDOK)->GetWindowText(caption);
        EXPECT_EQ(CString(c.okCaption), caption);

        if (std::string(c.verdict) == "ablesubmit")
        {
            tolvan::test::Screenshot shot;
            tolvan::test::PumpUntil([&] {
                shot = tolvan::test::Screenshot::CaptureClient(detail.m_hWnd);
                return !shot.IsEmpty();
            }, 10000);
            shot.SavePng("order_detail.png");
        }
        detail.DestroyWindow();
        EXPECT_EQ(HWND(NULL), GetOrderDetailWindow()) << "closed: later replies go nowhere";
    }
}

}  // namespace
