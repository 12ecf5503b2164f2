#include "QuoteReply.h"
#include "JsonText.h"

namespace
{
void FillRecord(const json_t* element, WebQuoteRecord& record)
{
    for (int i = 0; i < WebQuoteRecord::FIELD_COUNT; ++i)
        record.FieldAt(i) = JsonMemberText(element, WebQuoteRecord::KeyAt(i));
    record.strName = UnescapedUtf8ToAnsi((LPCTSTR)record.strName);
}
} // namespace

int ParseQuoteReply(const std::string& body, std::vector<WebQuoteRecord>& records,
                    CString* pMessage)
{
    if (body.empty())
        return -1;
    json_t* root = ParseJsonText(body);
    if (root == nullptr)
        return -1; // a reply that is no JSON is a failed attempt, not an empty success
    int result = -1;
    json_t* message = json_object_get(root, "returnMsg");
    if (pMessage != nullptr && json_is_string(message))
        *pMessage = Utf8ToAnsi(json_string_value(message));
    json_t* code = json_object_get(root, "returnCode");
    if (json_is_integer(code))
    {
        json_t* list = json_object_get(root, "list");
        if (json_integer_value(code) != 200)
        {
            if (pMessage != nullptr)
                *pMessage = "请求失败";
        }
        else if (json_is_array(list))
        {
            result = 0;
            for (size_t i = 0; i < json_array_size(list); ++i)
            {
                WebQuoteRecord record;
                FillRecord(json_array_get(list, i), record);
                records.push_back(record);
            }
        }
    }
    json_decref(root);
    return result;
}
