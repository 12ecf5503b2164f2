// The risk settings window: the edit only while there are assets, the line kept between
// showings, what its owner is told, and how the assets are shown.
#include "RiskSetDlg.h"
#include "SummaryRecord.h"

#include <testsupport/Pump.h>
#include <testsupport/RecordingWindow.h>
#include <testsupport/Screenshot.h>

#include <gtest/gtest.h>

using tolvan::test::RecordingWindow;

namespace {

void SendAssets(CRiskSetDlg& risk, const char* assets)
{
    SummaryRecord funds;
    funds.strFields[0] = assets;
    risk.SendMessage(WM_RISK_ASSETS, (WPARAM)&funds, 0);
}

CString EditText(CRiskSetDlg& risk)
{
    CString text;
    risk.GetDlgItem(IDC_RISK_LINE_EDIT)->GetWindowText(text);
    return text;
}

void Type(CWnd* edit, const char* keys)
{
    for (const char* key = keys; *key != 0; ++key)
        edit->SendMessage(WM_CHAR, (WPARAM)(unsigned char)*key, 0);
}

TEST(RiskSetDlgTest, TakesTheLineAndTellsItsOwner)
{
    RecordingWindow owner(RecordingWindow::Kind::TopLevel);
    CWnd ownerWnd;
    ownerWnd.Attach(owner);
    CRiskSetDlg risk(&ownerWnd);
    ASSERT_TRUE(risk.Create(CRiskSetDlg::IDD, &ownerWnd));
    CWnd* edit = risk.GetDlgItem(IDC_RISK_LINE_EDIT);

    const struct
    {
        const char* assets;
        bool enabled;
    } assets[] = {{"0.00", false}, {"-5", false}, {"abc", false}, {"0.01", true}};
    for (const auto& a : assets)
    {
        SendAssets(risk, a.assets);
        EXPECT_EQ(a.enabled, edit->IsWindowEnabled() != FALSE) << a.assets;
    }

    risk.SetLine(0.0);
    risk.ShowWindow(SW_SHOW);
    EXPECT_EQ(CString("0.00"), EditText(risk));
    edit->SetWindowText("");
    Type(edit, "1234.5.67");
    EXPECT_EQ(CString("1234.56"), EditText(risk)) << "one point, two decimals";

    SendAssets(risk, "98765.4321");
    tolvan::test::Screenshot shot;
    tolvan::test::PumpUntil([&] {
        shot = tolvan::test::Screenshot::CaptureClient(risk.m_hWnd);
        return !shot.IsEmpty();
    }, 10000);
    shot.SavePng("risk_settings.png");

    risk.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_DOUBLE_EQ(1234.56, risk.GetLine());
    EXPECT_FALSE(risk.IsWindowVisible());
    EXPECT_EQ(1u, owner.Count(WM_RISK_SET));

    risk.ShowWindow(SW_SHOW);
    EXPECT_EQ(CString("1234.56"), EditText(risk)) << "shown again with the line";
    risk.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(risk.IsWindowVisible());
    EXPECT_EQ(1u, owner.Count(WM_RISK_CANCEL));
    EXPECT_DOUBLE_EQ(1234.56, risk.GetLine()) << "Cancel keeps the line";

    risk.DestroyWindow();
    ownerWnd.Detach();
}

TEST(RiskSetDlgTest, AssetsAndLineTexts)
{
    EXPECT_EQ(CString("98765.43"), CRiskSetDlg::AssetsDisplayText("98765.4321"));
    EXPECT_EQ(CString("---"), CRiskSetDlg::AssetsDisplayText("-100.01"));
    EXPECT_EQ(CString("-100.00"), CRiskSetDlg::AssetsDisplayText("-100"));
    EXPECT_EQ(CString("1234.56"), CRiskSetDlg::LineText(1234.567));
    EXPECT_EQ(CString("0.00"), CRiskSetDlg::LineText(0.0));
}

}  // namespace
