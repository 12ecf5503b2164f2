// The editor's rules without a window: the proposed name, the stored form of typed numbers,
// new ids, and the check of the whole list before it is saved.
#include <gtest/gtest.h>

#include "StrategyChecks.h"
#include "StrategyIds.h"

#include <set>

namespace {

StrategyInfo Strategy(const char* name, int id = 0)
{
    StrategyInfo strategy;
    strategy.nStragegyId = id;
    strategy.strStrategyName = name;
    return strategy;
}

StrategyLeg Leg(int enable, const char* multiple, const char* priceType = "市价", const char* point = "1")
{
    StrategyLeg leg;
    leg.bEnable = enable;
    leg.strContractType = "外汇现货";
    leg.strMultiple = multiple;
    leg.strPriceType = priceType;
    leg.strPoint = point;
    return leg;
}

}  // namespace

TEST(StrategyChecksTest, ProposedNameTakesTheFirstFreeNumber)
{
    EXPECT_EQ(CString("策略1"), ProposeStrategyName({}));
    EXPECT_EQ(CString("策略2"), ProposeStrategyName({ Strategy("策略1"), Strategy("策略3") }));
    EXPECT_EQ(CString("策略1"), ProposeStrategyName({ Strategy("策略1 "), Strategy("策略2") }));
}

TEST(StrategyChecksTest, NextFreeIdIsTheSmallestUnusedFromZeroThatNoAccountFollows)
{
    struct Case {
        std::vector<int> ids;
        std::set<int> followed;
        int next;
    } cases[] = {
        { {}, {}, 0 }, { { 0, 1, 2 }, {}, 3 }, { { 1, 2 }, {}, 0 }, { { 0, 2 }, {}, 1 }, { { 3, 0, 1 }, {}, 2 },
        { { 0, 0, 1 }, {}, 2 },  // an id held twice is not handed out a third time
        // A deleted strategy's id stays taken while accounts follow it.
        { { 0, 2 }, { 1 }, 3 }, { {}, { 0, 1 }, 2 }, { { 0 }, { 0 }, 1 },
    };
    for (const Case& c : cases) {
        std::vector<StrategyInfo> strategies;
        for (int id : c.ids)
            strategies.push_back(Strategy("x", id));
        EXPECT_EQ(c.next, NextFreeStrategyId(strategies, c.followed))
            << "case with " << c.ids.size() << " ids and " << c.followed.size() << " followed";
    }
}

TEST(StrategyChecksTest, FollowedIdsAreThoseOfActiveAssignments)
{
    std::vector<UserStrategy> assignments(4);
    assignments[0].strategyId = "3";
    assignments[1].strategyId = "-1";
    assignments[2].strategyId = "0";
    assignments[3].strategyId = "3";
    EXPECT_EQ((std::set<int>{ 0, 3 }), FollowedStrategyIds(assignments));
}

TEST(StrategyChecksTest, TypedNumbersAreStoredAsIntegers)
{
    EXPECT_EQ(CString("0"), NormalizeLegNumber(""));
    EXPECT_EQ(CString("7"), NormalizeLegNumber("007"));
    EXPECT_EQ(CString("12"), NormalizeLegNumber("12"));
}

TEST(StrategyChecksTest, TheFirstFaultOfTheListIsReported)
{
    const CString illegal = "您输入的策略名称含有非法字符 “:” 或 “@” 或 “#”，请修改！";
    struct Case {
        const char* what;
        std::vector<StrategyInfo> strategies;
        const char* message;  // empty: passes
    } cases[] = {
        { "blank name", { Strategy("   ") }, "策略名称不能为空！" },
        { "same name", { Strategy("甲"), Strategy("乙"), Strategy("甲") }, "策略名称：甲 \n出现同名，请修改！" },
        { "same name after trimming", { Strategy("甲 "), Strategy(" 甲") }, "策略名称：甲 \n出现同名，请修改！" },
        { "colon", { Strategy("a:b") }, illegal },
        { "at sign", { Strategy("a@b") }, illegal },
        { "hash", { Strategy("#") }, illegal },
        { "names before legs", { Strategy("甲"), Strategy("") }, "策略名称不能为空！" },
        { "distinct names", { Strategy("甲"), Strategy("乙") }, "" },
    };
    cases[6].strategies[0].vecStrategy = { Leg(1, "0") };
    for (Case& c : cases) {
        CString message;
        EXPECT_EQ(CString(c.message).IsEmpty(), CheckStrategies(c.strategies, message)) << c.what;
        EXPECT_EQ(CString(c.message), message) << c.what;
    }
}

TEST(StrategyChecksTest, EnabledLegsNeedAMultipleAndLimitLegsAPoint)
{
    struct Case {
        StrategyLeg leg;
        const char* message;
    } cases[] = {
        { Leg(1, " "), "策略名称：甲\n合约类型：外汇现货\n倍数不能为空！" },
        { Leg(1, "0"), "策略名称：甲\n合约类型：外汇现货\n倍数不能为零！" },
        { Leg(1, "x"), "策略名称：甲\n合约类型：外汇现货\n倍数不能为零！" },
        { Leg(1, "2", "限价", "  "), "策略名称：甲\n合约类型：外汇现货\n限价时，点数不能为空！" },
        { Leg(1, "2", "市价", ""), "" },
        { Leg(0, "", "限价", ""), "" },  // disabled legs are not checked
    };
    for (const Case& c : cases) {
        std::vector<StrategyInfo> strategies = { Strategy(" 甲") };
        strategies[0].vecStrategy = { c.leg };
        CString message;
        EXPECT_EQ(CString(c.message).IsEmpty(), CheckStrategies(strategies, message)) << c.message;
        EXPECT_EQ(CString(c.message), message);
    }
}

TEST(StrategyChecksTest, NamesAndNumbersAreTrimmedInPlace)
{
    std::vector<StrategyInfo> strategies = { Strategy("  甲  "), Strategy("乙\t") };
    strategies[0].vecStrategy = { Leg(1, " 3 ", "限价", " 2 ") };
    CString message;
    ASSERT_TRUE(CheckStrategies(strategies, message)) << static_cast<const char*>(message);
    EXPECT_EQ(CString("甲"), strategies[0].strStrategyName);
    EXPECT_EQ(CString("乙"), strategies[1].strStrategyName);
    EXPECT_EQ(CString("3"), strategies[0].vecStrategy[0].strMultiple);
    EXPECT_EQ(CString("2"), strategies[0].vecStrategy[0].strPoint);
}
