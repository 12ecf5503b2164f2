// The merge of imported strategies into the local lists and the reading of sheet rows, with the
// user's answers given by a script.
#include <gtest/gtest.h>

#include <deque>

#include "StrategyMerge.h"
#include "StrategyAssignment.h"
#include "StrategySheet.h"
#include "StrategyText.h"

namespace {

StrategyInfo Local(int id, const char* name)
{
    StrategyInfo strategy;
    strategy.nStragegyId = id;
    strategy.strStrategyName = name;
    return strategy;
}

ImportedStrategy Entry(const char* name, std::vector<const char*> userIds = {})
{
    ImportedStrategy entry;
    entry.nStragegyId = 9;
    entry.strStrategyName = name;
    StrategyLeg leg;
    leg.bEnable = 1;
    leg.strContractType = "外汇现货";
    leg.strMultiple = "3";
    entry.vecStrategy = { leg };
    for (const char* id : userIds)
        entry.users.push_back(Assignment(id, "9", name));
    return entry;
}

// Answers the merge's questions from a queue and keeps them.
struct ScriptedAnswers {
    std::deque<bool> answers;
    std::vector<CString> asked;
    StrategyMerge::Ask Ask()
    {
        return [this](const CString& question) {
            asked.push_back(question);
            bool answer = !answers.empty() && answers.front();
            if (!answers.empty())
                answers.pop_front();
            return answer;
        };
    }
};

}  // namespace

TEST(StrategyMergeTest, NameClashOverwritesOnYesAndAddsANumberedCopyOnNo)
{
    std::vector<StrategyInfo> strategies = { Local(0, "甲"), Local(1, "甲_1"), Local(3, "乙") };
    std::vector<UserStrategy> assignments;
    ScriptedAnswers script;
    script.answers = { false, true };
    StrategyMerge merge(strategies, assignments, script.Ask());

    merge.ImportOne(Entry("甲"));  // No: a new "甲_2" with the first free id
    merge.ImportOne(Entry("乙"));  // Yes: "乙" keeps its id and takes the legs
    merge.ImportOne(Entry("丙"));  // new name: no question

    ASSERT_EQ(2u, script.asked.size());
    EXPECT_EQ(CString("导入策略 \"甲\" 同名，请选择！\n  是：覆盖策略\n  否：新增策略"), script.asked[0]);
    ASSERT_EQ(5u, strategies.size());
    EXPECT_EQ(CString("甲_2"), strategies[3].strStrategyName);
    EXPECT_EQ(2, strategies[3].nStragegyId);
    EXPECT_EQ(3, strategies[2].nStragegyId);
    EXPECT_EQ(CString("3"), strategies[2].vecStrategy.at(0).strMultiple);
    EXPECT_EQ(CString("丙"), strategies[4].strStrategyName);
    EXPECT_EQ(4, strategies[4].nStragegyId);
    EXPECT_TRUE(strategies[0].vecStrategy.empty()) << "the local strategy answered No is untouched";
}

TEST(StrategyMergeTest, AccountsTakeTheStrategyFreelyOrByTheirAnswer)
{
    std::vector<StrategyInfo> strategies = { Local(0, "旧"), Local(1, "甲") };
    std::vector<UserStrategy> assignments = {
        Assignment("1001", "-1", NO_STRATEGY_NAME),  // no strategy: takes it without a question
        Assignment("1002", "0", "旧"),                 // another strategy: asked, Yes
        Assignment("1003", "0", "旧"),                 // another strategy: asked, No
        Assignment("1004", "1", "甲"),                 // already on it: nothing
        Assignment("1005", "0", "旧"),                 // not named by the entry
    };
    ScriptedAnswers script;
    script.answers = { true, true, false };
    StrategyMerge merge(strategies, assignments, script.Ask());

    merge.ImportOne(Entry("甲", { "1001", "1002", "1003", "1004", "2000" }));

    ASSERT_EQ(3u, script.asked.size());  // the name clash and two accounts
    EXPECT_EQ(CString("用户\"1002\"使用策略冲突，请选择策略！\n  是：导入策略\"甲\"\n  否：本地策略\"旧\""),
              script.asked[1]);
    const char* expected[][2] = { { "1", "甲" }, { "1", "甲" }, { "0", "旧" }, { "1", "甲" }, { "0", "旧" } };
    for (size_t i = 0; i < assignments.size(); ++i) {
        EXPECT_EQ(CString(expected[i][0]), assignments[i].strategyId) << i;
        EXPECT_EQ(CString(expected[i][1]), assignments[i].strategyName) << i;
    }
    EXPECT_EQ(5u, assignments.size()) << "accounts without an assignment are not added";
}

TEST(StrategyMergeTest, AccountsOfARenamedCopyTakeItsNewName)
{
    std::vector<StrategyInfo> strategies = { Local(0, "甲") };
    std::vector<UserStrategy> assignments = { Assignment("1001", "-1", NO_STRATEGY_NAME) };
    ScriptedAnswers script;
    script.answers = { false };
    StrategyMerge(strategies, assignments, script.Ask()).ImportOne(Entry("甲", { "1001" }));
    EXPECT_EQ(CString("1"), assignments[0].strategyId);
    EXPECT_EQ(CString("甲_1"), assignments[0].strategyName);
}

TEST(StrategyMergeTest, ANewStrategyNeverTakesAnIdThatAnAccountStillFollows)
{
    // Strategy 1 is gone from the list while account 1001 still follows it.
    std::vector<StrategyInfo> strategies = { Local(0, "甲"), Local(2, "乙") };
    std::vector<UserStrategy> assignments = { Assignment("1001", "1", "丢失") };
    ScriptedAnswers script;
    StrategyMerge(strategies, assignments, script.Ask()).ImportOne(Entry("丙"));
    ASSERT_EQ(3u, strategies.size());
    EXPECT_EQ(3, strategies[2].nStragegyId);
    EXPECT_EQ(CString("1"), assignments[0].strategyId);
    EXPECT_EQ(CString("丢失"), assignments[0].strategyName);
}

TEST(StrategySheetTest, RowsWithAValidTextBecomeEntriesAndABadDigestSpoilsTheSheet)
{
    StrategyInfo strategy = Local(4, "跟单一");
    strategy.vecStrategy = Entry("x").vecStrategy;
    const CString text = BuildStrategyText(1, strategy, { Assignment("1001", "4", "跟单一") }).text;
    auto row = [](const char* valid, const CString& text) {
        std::vector<CString> cells(12);
        cells[1] = valid;
        cells[2] = "开启";
        cells[3] = "表里的名字";
        cells[4] = text;
        return cells;
    };
    const std::vector<CString> header = row("有效", "策略");

    std::vector<ImportedStrategy> entries;
    ASSERT_EQ(kStrategySheetRead, ReadStrategySheet({ header, row("1", text), row("0", text), row("", "") }, entries));
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(4, entries[0].nStragegyId);
    EXPECT_EQ(CString("跟单一"), entries[0].strStrategyName);
    ASSERT_EQ(1u, entries[0].vecStrategy.size());
    ASSERT_EQ(1u, entries[0].users.size());
    EXPECT_EQ(CString("1001"), entries[0].users[0].userId);

    CString edited = text;
    edited.Replace("strMultiple:3", "strMultiple:4");
    EXPECT_EQ(kStrategySheetInvalid, ReadStrategySheet({ header, row("1", text), row("1", edited) }, entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(kStrategySheetRead, ReadStrategySheet({ header }, entries));
    EXPECT_TRUE(entries.empty());
}
