// The strategy import under Xvfb: a workbook written by openpyxl is read through our
// "Excel.Application" server, merged through the import dialog with its questions answered by
// the test, and the result is found in the tables; unreadable and edited workbooks change
// nothing; closing the dialog during an import lets the worker finish the strategy it is on.
// Screenshots go to test-artifacts.
#include <afxwin.h>

#include <gtest/gtest.h>
#include <testsupport/MessageBoxScript.h>
#include <testsupport/Screenshot.h>

#include "DBStrategy.h"
#include "StrategyAssignment.h"
#include "DBUser.h"
#include "ImportStrategyDlg.h"
#include "ModalScript.h"
#include "StrategyMerge.h"
#include "TableFixture.h"
#include "WorkbookImport.h"

using tolvan::test::MessageBoxScript;
using tolvan::test::Screenshot;

namespace {

const CString kWorkbooks = "workbooks\\";
const char kImportCaption[] = "策略导入";

typedef HRESULT(WINAPI* ServerEntry)();

// Registers our automation server as "Excel.Application" in the prefix.
bool RegisterExcelServer()
{
    HMODULE server = ::LoadLibraryA("TolvanExcel.dll");
    if (server == NULL)
        return false;
    ServerEntry call = reinterpret_cast<ServerEntry>(::GetProcAddress(server, "DllRegisterServer"));
    const bool ok = call != NULL && SUCCEEDED(call());
    ::FreeLibrary(server);
    return ok;
}

StrategyInfo Local(int id, const char* name)
{
    StrategyInfo strategy;
    strategy.nStragegyId = id;
    strategy.strStrategyName = name;
    StrategyLeg forex;
    forex.strContractType = "外汇现货";
    strategy.vecStrategy = { forex };
    return strategy;
}

HWND ImportDialog()
{
    return ::FindWindowA(NULL, kImportCaption);
}

CString ItemText(int id)
{
    char text[256] = "";
    ::GetDlgItemTextA(ImportDialog(), id, text, sizeof(text));
    return text;
}

void SaveShot(HWND window, const char* name)
{
    ::CreateDirectoryA("..\\test-artifacts", NULL);
    Screenshot shot = Screenshot::CaptureClient(window);
    EXPECT_FALSE(shot.IsEmpty());
    EXPECT_TRUE(shot.SavePng(std::string("..\\test-artifacts\\") + name));
}

class ImportStrategyWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(RegisterExcelServer());
        folder = tabletest::MakeScratchFolder("import");
        key = tabletest::UserKey("admin");
        strategies = { Local(0, "甲"), Local(2, "丙") };
        assignments = { Assignment("1001", "-1", NO_STRATEGY_NAME), Assignment("1002", "2", "丙"),
                        Assignment("1003", "0", "甲") };
        strategyTable.reset(new CDBStrategy(folder + "DS", key));
        userTable.reset(new CDBUser(folder + "DU", key));
        ASSERT_TRUE(strategyTable->ReplaceAll(strategies));
        ASSERT_TRUE(userTable->ReplaceAll(assignments));
    }
    void TearDown() override
    {
        strategyTable.reset();
        userTable.reset();
        tabletest::RemoveScratchFolder(folder);
    }

    // The tables as a console that opens them again finds them.
    void Reopen(std::vector<StrategyInfo>& storedStrategies, std::vector<UserStrategy>& storedUsers)
    {
        strategyTable.reset();
        userTable.reset();
        CDBStrategy strategyFile(folder + "DS", key);
        CDBUser userFile(folder + "DU", key);
        ASSERT_TRUE(strategyFile.LoadAll(storedStrategies, "nStragegyId", true, -1, 0));
        ASSERT_TRUE(userFile.LoadAll(storedUsers, "userId", true, -1, 0));
    }

    CString folder;
    CString key;
    std::vector<StrategyInfo> strategies;
    std::vector<UserStrategy> assignments;
    std::unique_ptr<CDBStrategy> strategyTable;
    std::unique_ptr<CDBUser> userTable;
    ModalScript script{ 30000 };
    MessageBoxScript boxes;
};

TEST_F(ImportStrategyWindowTest, WorkbookStrategiesAreMergedWithTheAnswersAndStored)
{
    // "甲" clashes: overwrite it (its id 0 stays; its account 1003 is on it already). "乙" is
    // new: 1001 has no strategy and takes it freely, 1002 is on "丙" and is asked: keep "丙".
    boxes.Answer({ IDYES, IDNO });
    script.Then("the import finishes", [] { return ImportDialog() != NULL && ItemText(IDC_IMPORT_TITLE) == "导入完成"; }, [] {
        EXPECT_EQ(CString("Excel共 2 条策略, 已成功导入 2 条"), ItemText(IDC_IMPORT_COUNT));
        EXPECT_EQ(2, ::SendDlgItemMessageA(ImportDialog(), IDC_IMPORT_PROGRESS, PBM_GETPOS, 0, 0));
    });
    script.Then("the finished dialog is pictured", [] { return true; }, [] {
        SaveShot(ImportDialog(), "strategy_import.png");
        ::PostMessageA(ImportDialog(), WM_CLOSE, 0, 0);
    });
    script.Start();
    EXPECT_EQ(kWorkbookImported, ImportStrategiesFromWorkbook(nullptr, kWorkbooks + "import_strategies.xlsx", strategies,
                                                              assignments, strategyTable.get(), userTable.get()));
    ASSERT_TRUE(script.Finished()) << "stalled at: " << script.Stalled();
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ(std::string(StrategyMerge::SameNameQuestion("甲")), boxes.Boxes()[0].text);
    EXPECT_EQ(std::string(StrategyMerge::UserConflictQuestion("1002", "乙", "丙")), boxes.Boxes()[1].text);
    EXPECT_TRUE(ImportDialog() == NULL);

    std::vector<StrategyInfo> stored;
    std::vector<UserStrategy> users;
    Reopen(stored, users);
    ASSERT_EQ(3u, stored.size());
    EXPECT_EQ(CString("甲"), stored[0].strStrategyName);
    ASSERT_EQ(2u, stored[0].vecStrategy.size());
    EXPECT_EQ(CString("3"), stored[0].vecStrategy[0].strMultiple);
    EXPECT_EQ(CString("反向"), stored[0].vecStrategy[0].strDirection);
    EXPECT_EQ(1, stored[1].nStragegyId) << "the first free id";
    EXPECT_EQ(CString("乙"), stored[1].strStrategyName);
    ASSERT_EQ(1u, stored[1].vecStrategy.size()) << "the stock-market leg is not imported";
    EXPECT_EQ(CString("丙"), stored[2].strStrategyName);
    ASSERT_EQ(3u, users.size());
    EXPECT_EQ(CString("1"), users[0].strategyId);
    EXPECT_EQ(CString("乙"), users[0].strategyName);
    EXPECT_EQ(CString("2"), users[1].strategyId);
    EXPECT_EQ(CString("0"), users[2].strategyId);
    EXPECT_EQ(stored.size(), strategies.size());
}

TEST_F(ImportStrategyWindowTest, UnreadableOrEditedWorkbooksChangeNothing)
{
    struct Case {
        const char* file;
        const char* message;
        WorkbookImportResult result;
    } cases[] = {
        { "import_legacy.xls", "读Excel文件失败！", kWorkbookUnreadable },
        { "import_missing.xlsx", "读Excel文件失败！", kWorkbookUnreadable },
        { "import_edited.xlsx", "文件无效！", kWorkbookInvalid },
    };
    for (const Case& c : cases) {
        boxes.Clear();
        EXPECT_EQ(c.result, ImportStrategiesFromWorkbook(nullptr, kWorkbooks + c.file, strategies, assignments,
                                                         strategyTable.get(), userTable.get()))
            << c.file;
        ASSERT_EQ(1u, boxes.Count()) << c.file;
        EXPECT_EQ(c.message, boxes.Last().text) << c.file;
        EXPECT_EQ("Tolvan证券", boxes.Last().caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().type & MB_ICONMASK);
    }
    std::vector<StrategyInfo> stored;
    std::vector<UserStrategy> users;
    Reopen(stored, users);
    ASSERT_EQ(2u, stored.size());
    EXPECT_EQ(CString("甲"), stored[0].strStrategyName);
    EXPECT_TRUE(stored[0].vecStrategy.at(0).bEnable == 0);
    EXPECT_EQ(3u, users.size());
    EXPECT_EQ(2u, strategies.size());
}

// The user closes the dialog while the worker is on its first strategy: the close stops the
// worker before its next strategy and waits for it, answering the question it still asks
// about that strategy, so the first strategy is merged whole and nothing after it.
TEST_F(ImportStrategyWindowTest, ClosingDuringAnImportWaitsForTheStrategyInHand)
{
    std::vector<ImportedStrategy> entries(3);
    const char* names[] = { "甲", "丙", "丁" };
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].strStrategyName = names[i];
        entries[i].vecStrategy = Local(0, names[i]).vecStrategy;
        entries[i].vecStrategy[0].bEnable = 1;
        entries[i].users = { Assignment("1002", "0", names[i]) };
    }
    CImportStrategyDlg dialog;
    dialog.SetImportList(entries);
    dialog.SetLocalStrategies(strategies);
    dialog.SetAssignments(assignments);
    HWND shown = NULL;
    boxes.SetResponder([&](const tolvan::test::MessageBoxRecord& box) {
        if (boxes.Count() == 1) {
            // The first question (the name clash of "甲"): the user closes the dialog.
            shown = box.owner;
            ::SendMessageA(box.owner, WM_COMMAND, IDCANCEL, 0);
            return IDYES;
        }
        return IDYES;  // 1002 is on "丙": take "甲"
    });
    EXPECT_EQ(IDOK, dialog.DoModal());

    EXPECT_TRUE(shown != NULL);
    ASSERT_EQ(2u, boxes.Count()) << "no question about a later strategy";
    EXPECT_EQ(std::string(StrategyMerge::UserConflictQuestion("1002", "甲", "丙")), boxes.Boxes()[1].text);
    EXPECT_FALSE(dialog.IsDone());
    EXPECT_EQ(1, dialog.GetMergedCount());
    EXPECT_EQ(1, dialog.GetShownCount()) << "the close answered the worker until it ended";
    const std::vector<StrategyInfo>& merged = dialog.GetLocalStrategies();
    ASSERT_EQ(2u, merged.size());
    EXPECT_EQ(1, merged[0].vecStrategy.at(0).bEnable) << "甲 is overwritten";
    EXPECT_EQ(0, merged[1].vecStrategy.at(0).bEnable) << "丙 is untouched";
    EXPECT_EQ(CString("0"), dialog.GetAssignments()[1].strategyId);
}

}  // namespace
