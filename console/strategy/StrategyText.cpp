#include "StrategyText.h"

#include <stdlib.h>

#include "Md5.h"
#include "StrategyLegs.h"
#include "TextHelpers.h"

namespace {

const char kKeySeparator[] = ":";
const char kItemSeparator[] = "@";
const char kFieldSeparator[] = "#";

CString KeyText(const char* key)
{
    return CString(key) + kKeySeparator;
}

// Takes the value of key out of item: every occurrence of the key text is removed and what is
// left is the value. False when the item does not hold the key.
bool TakeKeyValue(const CString& item, const char* key, CString& value)
{
    const CString keyText = KeyText(key);
    if (item.Find(keyText) < 0)
        return false;
    value = item;
    value.Replace(keyText, "");
    return true;
}

StrategyLeg ParseLeg(const CString& field)
{
    CStringArray items;
    SplitString(items, field, kItemSeparator, true, false);
    StrategyLeg leg;
    for (int i = 0; i < items.GetSize(); ++i) {
        const CString& item = items[i];
        CString value;
        if (TakeKeyValue(item, "bEnable", value))
            leg.bEnable = atoi(value);
        if (TakeKeyValue(item, "strContractType", value))
            leg.strContractType = value;
        if (TakeKeyValue(item, "strMultiple", value))
            leg.strMultiple = value;
        if (TakeKeyValue(item, "strDirection", value))
            leg.strDirection = value;
        if (TakeKeyValue(item, "strPriceType", value))
            leg.strPriceType = value;
        if (TakeKeyValue(item, "strPoint", value))
            leg.strPoint = value;
        if (TakeKeyValue(item, "strSlipPoint", value))
            leg.strSlipPoint = value;
    }
    return leg;
}

UserStrategy ParseUser(const CString& field)
{
    CStringArray items;
    SplitString(items, field, kItemSeparator, true, false);
    UserStrategy user;
    user.strategyId.Empty();
    user.strategyName.Empty();
    for (int i = 0; i < items.GetSize(); ++i) {
        CString value;
        if (TakeKeyValue(items[i], "userId", value))
            user.userId = value;
        if (TakeKeyValue(items[i], "userName", value))
            user.userName = value;
    }
    return user;
}

bool LegValuesFit(const StrategyLeg& leg)
{
    return IsStrategyTextValue(leg.strContractType) && IsStrategyTextValue(leg.strMultiple)
           && IsStrategyTextValue(leg.strDirection) && IsStrategyTextValue(leg.strPriceType)
           && IsStrategyTextValue(leg.strPoint) && IsStrategyTextValue(leg.strSlipPoint);
}

}  // namespace

bool IsStrategyTextValue(const CString& value)
{
    // Byte-wise on purpose: a GBK character whose second byte is "@" is refused as well, so
    // the text never depends on how a reader pairs bytes up around a separator.
    const char* bytes = value;
    const int length = value.GetLength();
    for (int i = 0; i < length; ++i) {
        if (bytes[i] == ':' || bytes[i] == '@' || bytes[i] == '#' || bytes[i] == '\0')
            return false;
    }
    // The reader walks the text by characters: a value that ends in a lead byte would pair it
    // with the separator after it and read back as another text. Walk the value the same way.
    for (int i = 0; i < length;) {
        if (AfxIsDBCSLeadByte((BYTE)bytes[i])) {
            if (i + 1 == length)
                return false;
            i += 2;
        } else {
            ++i;
        }
    }
    return true;
}

StrategyTextRecord BuildStrategyText(int mode, const StrategyInfo& strategy,
                                     const std::vector<UserStrategy>& assignments)
{
    StrategyTextRecord record;
    record.mode = mode;
    if (mode != 1)
        return record;

    if (!IsStrategyTextValue(strategy.strStrategyName))
        return record;
    CString body;
    body.Format("nStragegyId:%d#", strategy.nStragegyId);
    body += "strStrategyName:" + strategy.strStrategyName + kFieldSeparator;
    for (const StrategyLeg& leg : strategy.vecStrategy) {
        if (!LegValuesFit(leg))
            return record;
        CString enable;
        enable.Format("%d", leg.bEnable);
        body += "vecStrategy:bEnable:" + enable + "@strContractType:" + leg.strContractType
                + "@strMultiple:" + leg.strMultiple + "@strDirection:" + leg.strDirection
                + "@strPriceType:" + leg.strPriceType + "@strPoint:" + leg.strPoint
                + "@strSlipPoint:" + leg.strSlipPoint + kFieldSeparator;
    }
    for (const UserStrategy& user : assignments) {
        if (atoi(user.strategyId) != strategy.nStragegyId)
            continue;
        if (!IsStrategyTextValue(user.userId) || !IsStrategyTextValue(user.userName))
            return record;
        body += "userId:" + user.userId + "@userName:" + user.userName + kFieldSeparator;
    }

    record.valid = 1;
    record.text = Md5Hex(body) + kFieldSeparator + body;
    record.name = strategy.strStrategyName;
    return record;
}

StrategyParseResult ParseStrategyText(const StrategyTextRecord& record, StrategyInfo& strategy,
                                      std::vector<UserStrategy>& users)
{
    strategy.vecStrategy.clear();
    users.clear();
    StrategyParseResult result;
    if (record.valid != 1)
        return result;

    result.parsed = 1;
    CStringArray fields;
    SplitString(fields, record.text, kFieldSeparator, true, false);
    const int bodyStart = record.text.Find(kFieldSeparator);
    const CString body = bodyStart < 0 ? record.text : record.text.Mid(bodyStart + 1);
    if (Md5Hex(body) != fields[0])
        return result;

    for (int i = 1; i < fields.GetSize(); ++i) {
        const CString& field = fields[i];
        CString value;
        if (TakeKeyValue(field, "nStragegyId", value))
            strategy.nStragegyId = atoi(value);
        if (TakeKeyValue(field, "strStrategyName", value))
            strategy.strStrategyName = value;
        if (TakeKeyValue(field, "vecStrategy", value)) {
            StrategyLeg leg = ParseLeg(value);
            if (!IsSkippedContractType(leg.strContractType))
                strategy.vecStrategy.push_back(leg);
        }
        if (field.Find(KeyText("userId")) >= 0)
            users.push_back(ParseUser(field));
    }

    CString id;
    id.Format("%d", strategy.nStragegyId);
    for (UserStrategy& user : users) {
        user.strategyId = id;
        user.strategyName = strategy.strStrategyName;
    }
    result.verified = 1;
    return result;
}
