#include "MarketListReply.h"
#include <stdlib.h>
#include "JsonText.h"
#include "WebQuoteRecord.h"

namespace
{
const int kSnapshotFields = 17;

bool HasMember(const json_t* object, const char* key)
{
    return json_object_get(object, key) != nullptr;
}

// The WebQuoteRecord field that each snapshot position fills.
CString& SnapshotField(WebQuoteRecord& record, int position)
{
    switch (position)
    {
    case 0: return record.strCode;
    case 1: return record.strOpen;
    case 2: return record.strPreClose;
    case 3: return record.strPrice;
    case 4: return record.strLow;
    case 5: return record.strHigh;
    case 6: return record.strBid;
    case 7: return record.strAsk;
    case 8: return record.strVolume;
    case 9: return record.strAmount;
    case 10: return record.strBidVolume[0];
    case 11: return record.strBidPrice[0];
    case 12: return record.strAskVolume[0];
    case 13: return record.strAskPrice[0];
    case 14: return record.strStatus;
    case 15: return record.strMggs;
    default: return record.strJggd;
    }
}
void SplitFields(const std::string& record, std::vector<std::string>& fields)
{
    size_t start = 0;
    for (;;)
    {
        size_t bar = record.find('|', start);
        fields.push_back(record.substr(start, bar == std::string::npos ? std::string::npos
                                                                         : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
}
} // namespace

bool ParseMarketList(const std::string& text, std::vector<MarketListItem>& items)
{
    json_t* root = ParseJsonText(text);
    if (root == nullptr)
        return false;
    bool parsed = json_is_array(root) && json_array_size(root) > 0;
    if (parsed)
    {
        for (size_t i = 0; i < json_array_size(root); ++i)
        {
            json_t* element = json_array_get(root, i);
            if (!json_is_object(element) || !HasMember(element, "index") ||
                !HasMember(element, "code") || !HasMember(element, "name") ||
                !HasMember(element, "type"))
                continue;
            MarketListItem item;
            item.strIndex = JsonMemberText(element, "index");
            item.strCode = JsonMemberText(element, "code");
            item.strName = Utf8ToAnsi((LPCTSTR)JsonMemberText(element, "name"));
            item.strNameEn = Utf8ToAnsi((LPCTSTR)JsonMemberText(element, "name_en"));
            item.strType = JsonMemberText(element, "type");
            items.push_back(item);
        }
    }
    json_decref(root);
    return parsed;
}

int ParseListVersion(const std::string& text)
{
    json_t* root = ParseJsonText(text);
    if (root == nullptr)
        return -1;
    int version = -1;
    json_t* message = json_object_get(root, "returnMsg");
    if (atoi(JsonMemberText(root, "returnCode")) == 200 && message != nullptr)
        version = atoi(JsonMemberText(message, "version"));
    json_decref(root);
    return version;
}

void ParseSnapshotText(const std::string& text, std::vector<QuoteRow>& rows)
{
    // One pass over the text: a snapshot holds thousands of records.
    size_t open = text.find('[');
    while (open != std::string::npos)
    {
        size_t close = text.find(']', open + 1);
        if (close == std::string::npos)
            break;
        std::vector<std::string> fields;
        SplitFields(text.substr(open + 1, close - open - 1), fields);
        open = text.find('[', close + 1);
        if (fields.size() < (size_t)kSnapshotFields)
            continue;
        WebQuoteRecord record;
        for (int position = 0; position < kSnapshotFields; ++position)
            SnapshotField(record, position) = fields[position].c_str();
        QuoteRow row;
        record.FillQuoteRow(row, nullptr, 1);
        // A snapshot is no movement: nothing to flag.
        row.nChangeFlags = 0;
        row.strVolumeSinceLast = "0";
        rows.push_back(row);
    }
}
