#include <gtest/gtest.h>

#include "Md5.h"
#include "StrategyLegs.h"
#include "StrategyText.h"

namespace {

StrategyLeg Leg(const char* type, int enable, const char* multiple = "2", const char* priceType = "限价")
{
    StrategyLeg leg;
    leg.strContractType = type;
    leg.bEnable = enable;
    leg.strMultiple = multiple;
    leg.strDirection = "反向";
    leg.strPriceType = priceType;
    leg.strPoint = "3";
    leg.strSlipPoint = "1";
    return leg;
}

UserStrategy User(const char* id, const char* name, const char* strategyId)
{
    UserStrategy user;
    user.userId = id;
    user.userName = name;
    user.strategyId = strategyId;
    user.strategyName = "x";
    return user;
}

StrategyTextRecord Text(const CString& text)
{
    StrategyTextRecord record;
    record.valid = 1;
    record.text = text;
    return record;
}

StrategyInfo SampleStrategy()
{
    StrategyInfo strategy;
    strategy.nStragegyId = 7;
    strategy.strStrategyName = "黄金跟单";
    strategy.vecStrategy = {Leg("外汇现货", 1), Leg("沪深", 1), Leg("期货", 0, "5", "市价")};
    strategy.applied = true;
    return strategy;
}

TEST(StrategyTextTest, BuildThenParseGivesBackTheStrategyAndItsAccounts)
{
    const std::vector<UserStrategy> assignments = {User("1001", "张三", "7"), User("1002", "李四", "8"),
                                                   User("1003", "", "7")};
    const StrategyTextRecord built = BuildStrategyText(1, SampleStrategy(), assignments);
    ASSERT_EQ(1, built.mode);
    ASSERT_EQ(1, built.valid);
    EXPECT_EQ(CString("黄金跟单"), built.name);
    EXPECT_EQ('#', built.text[built.text.GetLength() - 1]);

    StrategyInfo parsed;
    std::vector<UserStrategy> users;
    const StrategyParseResult result = ParseStrategyText(Text(built.text), parsed, users);
    EXPECT_EQ(1, result.parsed);
    ASSERT_EQ(1, result.verified);
    EXPECT_EQ(7, parsed.nStragegyId);
    EXPECT_EQ(CString("黄金跟单"), parsed.strStrategyName);
    EXPECT_FALSE(parsed.applied);
    // The stock-market leg is never carried over.
    ASSERT_EQ(2u, parsed.vecStrategy.size());
    const StrategyLeg& first = parsed.vecStrategy[0];
    EXPECT_EQ(CString("外汇现货"), first.strContractType);
    EXPECT_EQ(1, first.bEnable);
    EXPECT_EQ(CString("2"), first.strMultiple);
    EXPECT_EQ(CString("反向"), first.strDirection);
    EXPECT_EQ(CString("限价"), first.strPriceType);
    EXPECT_EQ(CString("3"), first.strPoint);
    EXPECT_EQ(CString("1"), first.strSlipPoint);
    EXPECT_EQ(CString("市价"), parsed.vecStrategy[1].strPriceType);
    EXPECT_EQ(0, parsed.vecStrategy[1].bEnable);
    ASSERT_EQ(2u, users.size());
    EXPECT_EQ(CString("1001"), users[0].userId);
    EXPECT_EQ(CString("张三"), users[0].userName);
    EXPECT_EQ(CString("1003"), users[1].userId);
    for (const UserStrategy& user : users) {
        EXPECT_EQ(CString("7"), user.strategyId);
        EXPECT_EQ(CString("黄金跟单"), user.strategyName);
    }
}

TEST(StrategyTextTest, ValuesThatWouldCutTheTextApartAreRefused)
{
    struct Case
    {
        const char* what;
        StrategyInfo strategy;
        std::vector<UserStrategy> users;
    };
    std::vector<Case> cases;
    cases.push_back({"name with #", SampleStrategy(), {}});
    cases.back().strategy.strStrategyName = "a#b";
    cases.push_back({"contract type with :", SampleStrategy(), {}});
    cases.back().strategy.vecStrategy[0].strContractType = "外汇:现货";
    cases.push_back({"multiple with @", SampleStrategy(), {}});
    cases.back().strategy.vecStrategy[2].strMultiple = "1@2";
    cases.push_back({"account name with @", SampleStrategy(), {User("1001", "ab@c", "7")}});
    // A GBK character whose second byte is "@" splits the field just the same.
    cases.push_back({"GBK trail byte @", SampleStrategy(), {User("1001", "\x81\x40", "7")}});
    // A lead byte at the end of a value pairs with the separator after it when read back.
    cases.push_back({"name ending in a lead byte", SampleStrategy(), {}});
    cases.back().strategy.strStrategyName = "N\x81";
    cases.push_back({"point ending in a lead byte after a character", SampleStrategy(), {}});
    cases.back().strategy.vecStrategy[1].strPoint = "\xB5\xE3\xB5";
    cases.push_back({"account id ending in a lead byte", SampleStrategy(), {User("1001\xFE", "a", "7")}});
    for (const Case& c : cases) {
        const StrategyTextRecord built = BuildStrategyText(1, c.strategy, c.users);
        EXPECT_EQ(0, built.valid) << c.what;
        EXPECT_TRUE(built.text.IsEmpty()) << c.what;
    }
    // Separators in an account of another strategy do not matter.
    EXPECT_EQ(1, BuildStrategyText(1, SampleStrategy(), {User("1#", "a@b", "8")}).valid);
    EXPECT_EQ(0, BuildStrategyText(2, SampleStrategy(), {}).valid);
}

// Every value either reads back as itself or is refused when written: all texts of up to
// three bytes over separators, lead bytes, trail bytes and plain letters, as the name, a leg
// value and an account name.
TEST(StrategyTextTest, EveryAcceptedValueReadsBackAsItself)
{
    const char alphabet[] = {'N', '\x81', '\xD6', '\xD0', '\x40', '#', ':', '\x7C', ' ', '\0'};
    std::vector<std::string> texts = {""};
    for (size_t shorter = 0; shorter < texts.size() && texts[shorter].size() < 3; ++shorter)
        for (char c : alphabet)
            texts.push_back(texts[shorter] + c);
    std::vector<CString> values;
    for (const std::string& text : texts)
        values.push_back(CString(text.data(), static_cast<int>(text.size())));
    int accepted = 0;
    for (const CString& value : values) {
        StrategyInfo strategy = SampleStrategy();
        strategy.strStrategyName = value;
        strategy.vecStrategy[0].strMultiple = value;
        const std::vector<UserStrategy> users = {User(value, value, "7")};
        const StrategyTextRecord built = BuildStrategyText(1, strategy, users);
        const std::string shown(value, value.GetLength());
        if (built.valid != 1)
            continue;
        ++accepted;
        StrategyInfo read;
        std::vector<UserStrategy> readUsers;
        const StrategyParseResult result = ParseStrategyText(built, read, readUsers);
        ASSERT_EQ(1, result.verified) << shown;
        EXPECT_EQ(value, read.strStrategyName) << shown;
        ASSERT_EQ(2u, read.vecStrategy.size()) << shown;
        EXPECT_EQ(value, read.vecStrategy[0].strMultiple) << shown;
        ASSERT_EQ(1u, readUsers.size()) << shown;
        EXPECT_EQ(value, readUsers[0].userId) << shown;
        EXPECT_EQ(value, readUsers[0].userName) << shown;
    }
    // Letters, blanks and whole GBK characters stand.
    EXPECT_GT(accepted, 100);
    EXPECT_TRUE(IsStrategyTextValue("\xD6\xD0N"));
}

TEST(StrategyTextTest, OnlyAnUntouchedTextVerifies)
{
    const CString text = BuildStrategyText(1, SampleStrategy(), {User("1001", "张三", "7")}).text;
    CString edited = text;
    edited.Replace("strMultiple:2", "strMultiple:3");
    CString upperDigest = text.Left(32);
    upperDigest.MakeUpper();
    upperDigest += text.Mid(32);

    struct Case
    {
        const char* what;
        StrategyTextRecord record;
        int parsed, verified;
    };
    StrategyTextRecord invalid = Text(text);
    invalid.valid = 0;
    const Case cases[] = {
        {"edited body", Text(edited), 1, 0},
        {"upper-case digest", Text(upperDigest), 1, 0},
        {"not valid", invalid, 0, 0},
        {"empty text", Text(""), 1, 0},
        {"untouched", Text(text), 1, 1},
    };
    for (const Case& c : cases) {
        StrategyInfo strategy;
        std::vector<UserStrategy> users;
        const StrategyParseResult result = ParseStrategyText(c.record, strategy, users);
        EXPECT_EQ(c.parsed, result.parsed) << c.what;
        EXPECT_EQ(c.verified, result.verified) << c.what;
    }
}

TEST(StrategyTextTest, HandWrittenTextsReadByTheirKeys)
{
    StrategyInfo strategy;
    strategy.nStragegyId = 42;
    strategy.strStrategyName = "old";
    strategy.vecStrategy.push_back(Leg("x", 1));
    std::vector<UserStrategy> users = {User("9", "9", "9")};

    // The digest of the empty body: nothing is read, id and name stay.
    StrategyParseResult result = ParseStrategyText(Text(Md5Hex("") + "#"), strategy, users);
    EXPECT_EQ(1, result.verified);
    EXPECT_EQ(42, strategy.nStragegyId);
    EXPECT_EQ(CString("old"), strategy.strStrategyName);
    EXPECT_TRUE(strategy.vecStrategy.empty());
    EXPECT_TRUE(users.empty());

    const CString body = "nStragegyId:5#vecStrategy:strContractType:期货@strMultiple:#"
                         "userId:1@userName:a#userId:2#";
    result = ParseStrategyText(Text(Md5Hex(body) + "#" + body), strategy, users);
    ASSERT_EQ(1, result.verified);
    EXPECT_EQ(5, strategy.nStragegyId);
    ASSERT_EQ(1u, strategy.vecStrategy.size());
    EXPECT_EQ(CString(""), strategy.vecStrategy[0].strMultiple);
    EXPECT_EQ(0, strategy.vecStrategy[0].bEnable);
    EXPECT_EQ(CString("同向"), strategy.vecStrategy[0].strDirection);
    ASSERT_EQ(2u, users.size());
    EXPECT_EQ(CString("2"), users[1].userId);
    EXPECT_EQ(CString("5"), users[1].strategyId);
    EXPECT_EQ(CString("old"), users[1].strategyName);
}

TEST(StrategyLegsTest, LegsFollowTheTemplateOfTheSectors)
{
    const std::vector<StrategyLeg> legTemplate =
        BuildLegTemplate({"我的板块", "沪深", "外汇现货", "港股", "期货", "贵金属"});
    ASSERT_EQ(3u, legTemplate.size());
    EXPECT_EQ(CString("外汇现货"), legTemplate[0].strContractType);
    EXPECT_EQ(CString("贵金属"), legTemplate[2].strContractType);

    StrategyInfo strategy;
    strategy.vecStrategy = {Leg("贵金属", 1, "4"), Leg("旧品种", 1), Leg("外汇现货", 1, "2"),
                            Leg("外汇现货", 0, "9")};
    std::vector<StrategyInfo> strategies = {strategy};
    AlignStrategyLegs(strategies, legTemplate);
    const std::vector<StrategyLeg>& legs = strategies[0].vecStrategy;
    ASSERT_EQ(3u, legs.size());
    EXPECT_EQ(CString("外汇现货"), legs[0].strContractType);
    EXPECT_EQ(CString("2"), legs[0].strMultiple);  // the first of its type
    EXPECT_EQ(CString("期货"), legs[1].strContractType);
    EXPECT_EQ(0, legs[1].bEnable);  // missing: default, off
    EXPECT_EQ(CString("1"), legs[1].strMultiple);
    EXPECT_EQ(CString("4"), legs[2].strMultiple);
}

}  // namespace
