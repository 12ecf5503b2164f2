// The strategy editor driven inside its modal loop under Xvfb: strategies are created, renamed,
// edited and deleted and are found in the strategy table when it is opened again; faulty names
// are refused with their messages and nothing is stored. Screenshots go to test-artifacts.
#include <afxwin.h>
#include <commctrl.h>

#include <gtest/gtest.h>
#include <testsupport/MessageBoxScript.h>
#include <testsupport/Screenshot.h>

#include "DBStrategy.h"
#include "EditStrategy.h"
#include "ModalScript.h"
#include "QuoteStore.h"
#include "TableFixture.h"

using tolvan::test::MessageBoxScript;
using tolvan::test::Screenshot;

namespace {

const char kForex[] = "外汇现货";
const char kMetal[] = "贵金属";

void AddSectors()
{
    for (const char* name : { "沪深", kForex, kMetal }) {
        SectorRecord sector;
        sector.strName = name;
        GetQuoteStore().AddSector(sector);
    }
}

StrategyInfo Strategy(int id, const char* name, const char* forexMultiple)
{
    StrategyInfo strategy;
    strategy.nStragegyId = id;
    strategy.strStrategyName = name;
    StrategyLeg forex;
    forex.bEnable = forexMultiple != nullptr ? 1 : 0;
    forex.strContractType = kForex;
    forex.strMultiple = forexMultiple != nullptr ? forexMultiple : "1";
    StrategyLeg metal;
    metal.strContractType = kMetal;
    strategy.vecStrategy = { forex, metal };
    return strategy;
}

const StrategyLeg* LegOf(const StrategyInfo& strategy, const char* type)
{
    for (const StrategyLeg& leg : strategy.vecStrategy) {
        if (leg.strContractType == type)
            return &leg;
    }
    return nullptr;
}

void SaveShot(HWND window, const char* name)
{
    ::CreateDirectoryA("..\\test-artifacts", NULL);
    Screenshot shot = Screenshot::CaptureClient(window);
    EXPECT_FALSE(shot.IsEmpty());
    EXPECT_TRUE(shot.SavePng(std::string("..\\test-artifacts\\") + name));
}

class EditStrategyWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AddSectors();
        folder = tabletest::MakeScratchFolder("editor");
        key = tabletest::UserKey("admin");
    }
    void TearDown() override { tabletest::RemoveScratchFolder(folder); }

    static HWND Dialog() { return ::FindWindowA(NULL, CEditStrategy::kCaption); }
    static HWND Item(int id) { return ::GetDlgItem(Dialog(), id); }
    static bool Visible(int id) { return ::IsWindowVisible(Item(id)) != FALSE; }
    static CString Text(int id)
    {
        char text[256] = "";
        ::GetWindowTextA(Item(id), text, sizeof(text));
        return text;
    }
    static CString Cell(int listId, int row, int column)
    {
        char text[256] = "";
        ListView_GetItemText(Item(listId), row, column, text, sizeof(text));
        return text;
    }
    static int Rows(int listId) { return ListView_GetItemCount(Item(listId)); }
    static void SelectStrategy(int row)
    {
        const int selected = ListView_GetNextItem(Item(IDC_STRATEGY_LIST), -1, LVNI_SELECTED);
        if (selected >= 0)
            ListView_SetItemState(Item(IDC_STRATEGY_LIST), selected, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (row >= 0)
            ListView_SetItemState(Item(IDC_STRATEGY_LIST), row, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
    }
    // A click on a leg cell as the user makes it: the button is released first so that the
    // list's own click tracking ends at once.
    static void ClickLegCell(int row, int column)
    {
        const HWND table = Item(IDC_LEG_TABLE);
        RECT cell = {};
        cell.top = column;
        cell.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;  // the bounds of column 0 are the whole row
        ::SendMessageA(table, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
        const int x = (cell.left + cell.right) / 2;
        const int y = (cell.top + cell.bottom) / 2;
        ::PostMessageA(table, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        ::SendMessageA(table, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    }
    static void Type(int id, const char* text)
    {
        ::SetFocus(Item(id));
        ::SetWindowTextA(Item(id), text);
    }
    // Moves the focus off an editor, which ends its edit.
    static void Leave() { ::SetFocus(Item(IDC_STRATEGY_LIST)); }
    static void Press(int id) { ::PostMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Item(id)); }

    std::vector<StrategyInfo> Stored()
    {
        CDBStrategy table(folder + "DS", key);
        std::vector<StrategyInfo> strategies;
        EXPECT_TRUE(table.LoadAll(strategies, "nStragegyId", true, -1, 0));
        return strategies;
    }

    CString folder;
    CString key;
    ModalScript script{ 30000 };
    MessageBoxScript boxes;
};

TEST_F(EditStrategyWindowTest, CreateRenameEditAndDeleteAreStoredInTheTable)
{
    {
        CDBStrategy table(folder + "DS", key);
        ASSERT_TRUE(table.ReplaceAll({ Strategy(0, "老策略", "2"), Strategy(1, "删我", nullptr) }));
    }
    CDBStrategy table(folder + "DS", key);
    std::vector<StrategyInfo> strategies;
    ASSERT_TRUE(table.LoadAll(strategies, "nStragegyId", true, -1, 0));
    CEditStrategy dialog(nullptr, &table);
    dialog.SetStrategies(strategies);

    script.Then("the editor shows the list and a new form", [] { return Dialog() != NULL && Rows(IDC_LEG_TABLE) == 2; }, [] {
        EXPECT_EQ(2, Rows(IDC_STRATEGY_LIST));
        EXPECT_EQ(CString("老策略"), Cell(IDC_STRATEGY_LIST, 0, 0));
        EXPECT_EQ(CString("未使用"), Cell(IDC_STRATEGY_LIST, 0, 1));
        EXPECT_EQ(CString(kForex), Cell(IDC_LEG_TABLE, 0, 0)) << "沪深 is no leg";
        EXPECT_EQ(CString("策略1"), Text(IDC_STRATEGY_NAME));
        ClickLegCell(0, 1);  // not ticked: no editor
    });
    script.Then("an unticked row opens no editor", [] { return true; }, [] {
        EXPECT_FALSE(Visible(IDC_LEG_NUMBER_EDIT));
        ClickLegCell(0, 0);  // tick forex in the form
    });
    script.Then("the form's forex leg is ticked", [] { return ListView_GetItemCount(Item(IDC_LEG_TABLE)) == 2; }, [] {
        ClickLegCell(0, 4);  // points of a market leg: no editor
    });
    script.Then("a market leg's points open no editor", [] { return true; }, [] {
        EXPECT_FALSE(Visible(IDC_LEG_NUMBER_EDIT));
        ClickLegCell(0, 1);
    });
    script.Then("the multiple's editor opens over the cell", [] {
        return Visible(IDC_LEG_NUMBER_EDIT); }, [] {
        EXPECT_EQ(CString("1"), Text(IDC_LEG_NUMBER_EDIT));
        Type(IDC_LEG_NUMBER_EDIT, "05");
        Leave();
    });
    script.Then("the form shows the typed multiple", [] { return !Visible(IDC_LEG_NUMBER_EDIT); }, [] {
        EXPECT_EQ(CString("05"), Cell(IDC_LEG_TABLE, 0, 1)) << "a form cell keeps the text as typed";
        ::SetWindowTextA(Item(IDC_STRATEGY_NAME), "新策略");
        Press(IDC_ADD_STRATEGY);
    });
    script.Then("the new strategy is listed", [] { return Rows(IDC_STRATEGY_LIST) == 3; }, [] {
        EXPECT_EQ(CString("新策略"), Cell(IDC_STRATEGY_LIST, 2, 0));
        SelectStrategy(0);
    });
    script.Then("the selected strategy is shown", [] { return Text(IDC_STRATEGY_NAME) == "老策略"; }, [] {
        EXPECT_EQ(CString("2"), Cell(IDC_LEG_TABLE, 0, 1));
        Type(IDC_STRATEGY_NAME, "改名策略");
        Leave();
    });
    script.Then("the rename reaches the list", [] { return Cell(IDC_STRATEGY_LIST, 0, 0) == "改名策略"; }, [] {
        ClickLegCell(0, 2);
    });
    script.Then("the direction's combo opens", [] { return Visible(IDC_DIRECTION_COMBO); }, [] {
        ::SendMessageA(Item(IDC_DIRECTION_COMBO), CB_SETCURSEL, 1, 0);
        Leave();
    });
    script.Then("the direction is stored", [] { return Cell(IDC_LEG_TABLE, 0, 2) == "反向"; }, [] {
        ClickLegCell(0, 1);
    });
    script.Then("the multiple's editor opens again", [] { return Visible(IDC_LEG_NUMBER_EDIT); }, [] {
        Type(IDC_LEG_NUMBER_EDIT, "007");
        Leave();
    });
    script.Then("the multiple is stored as a number", [] { return Cell(IDC_LEG_TABLE, 0, 1) == "7"; }, [] {
        SelectStrategy(1);
    });
    script.Then("the strategy to delete is shown", [] { return Text(IDC_STRATEGY_NAME) == "删我"; }, [] {
        Press(IDC_DELETE_STRATEGY);
    });
    script.Then("it is gone from the list", [] { return Rows(IDC_STRATEGY_LIST) == 2; }, [] {
        SelectStrategy(0);
    });
    script.Then("the edited strategy is shown for the picture", [] { return Text(IDC_STRATEGY_NAME) == "改名策略"; }, [] {
        SaveShot(Dialog(), "strategy_editor.png");
        Press(IDOK);
    });
    script.Start();
    EXPECT_EQ(IDOK, dialog.DoModal());
    ASSERT_TRUE(script.Finished()) << "stalled at: " << script.Stalled();
    EXPECT_EQ(0u, boxes.Count()) << boxes.Last().text;

    const std::vector<StrategyInfo> stored = Stored();
    ASSERT_EQ(2u, stored.size());
    EXPECT_EQ(0, stored[0].nStragegyId);
    EXPECT_EQ(CString("改名策略"), stored[0].strStrategyName);
    const StrategyLeg* renamedForex = LegOf(stored[0], kForex);
    ASSERT_NE(nullptr, renamedForex);
    EXPECT_EQ(CString("7"), renamedForex->strMultiple);
    EXPECT_EQ(CString("反向"), renamedForex->strDirection);
    EXPECT_EQ(1, renamedForex->bEnable);
    EXPECT_EQ(2, stored[1].nStragegyId) << "added while ids 0 and 1 were taken";
    EXPECT_EQ(CString("新策略"), stored[1].strStrategyName);
    const StrategyLeg* newForex = LegOf(stored[1], kForex);
    ASSERT_NE(nullptr, newForex);
    EXPECT_EQ(1, newForex->bEnable);
    EXPECT_EQ(CString("05"), newForex->strMultiple) << "a form cell is stored as typed";
    EXPECT_EQ(dialog.GetStrategies().size(), stored.size());
}

TEST_F(EditStrategyWindowTest, FaultyNamesAreRefusedAndNothingIsStored)
{
    const std::vector<StrategyInfo> before = { Strategy(0, "甲", "1"), Strategy(1, "甲  ", "1") };
    {
        CDBStrategy table(folder + "DS", key);
        ASSERT_TRUE(table.ReplaceAll(before));
    }
    CDBStrategy table(folder + "DS", key);
    CEditStrategy dialog(nullptr, &table);
    dialog.SetStrategies(before);

    script.Then("open", [] { return Dialog() != NULL && Rows(IDC_STRATEGY_LIST) == 2; }, [] {
        Press(IDC_DELETE_STRATEGY);  // nothing selected
    });
    script.Then("delete asks for a selection", [this] { return boxes.Count() == 1; }, [this] {
        EXPECT_EQ("请选择策略！", boxes.Last().text);
        EXPECT_EQ("Tolvan证券", boxes.Last().caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.Last().type & MB_ICONMASK);
        Press(IDOK);
    });
    script.Then("names equal after trimming are the same name", [this] { return boxes.Count() == 2; }, [this] {
        EXPECT_EQ("策略名称：甲 \n出现同名，请修改！", boxes.Last().text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().type & MB_ICONMASK);
        SelectStrategy(1);
    });
    script.Then("the second is shown", [] { return Text(IDC_STRATEGY_NAME) == "甲"; }, [] {
        Type(IDC_STRATEGY_NAME, "   ");
        Leave();
        Press(IDOK);
    });
    script.Then("a blank name is refused", [this] { return boxes.Count() == 3; }, [this] {
        EXPECT_EQ("策略名称不能为空！", boxes.Last().text);
        SaveShot(Dialog(), "strategy_editor_refused.png");
        boxes.Answer(IDYES);
        Press(IDCANCEL);
    });
    script.Start();
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    ASSERT_TRUE(script.Finished()) << "stalled at: " << script.Stalled();
    ASSERT_EQ(4u, boxes.Count());
    EXPECT_EQ("策略未保存，是否退出编辑？", boxes.Last().text);

    const std::vector<StrategyInfo> stored = Stored();
    ASSERT_EQ(2u, stored.size());
    EXPECT_EQ(CString("甲"), stored[0].strStrategyName);
    EXPECT_EQ(CString("甲  "), stored[1].strStrategyName) << "a refused save stores nothing";
}

}  // namespace
