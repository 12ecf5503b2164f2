#include "StrategyJson.h"

#include <curl/curl.h>
#include <jansson.h>
#include <stdlib.h>
#include <string>

#include "JsonText.h"

namespace {

json_t* EscapedString(const CString& text)
{
    const std::string utf8 = AnsiToUtf8(text);
    char* escaped = curl_easy_escape(nullptr, utf8.c_str(), (int)utf8.size());
    json_t* value = json_string(escaped != nullptr ? escaped : "");
    curl_free(escaped);
    return value;
}

CString UnescapedMember(json_t* object, const char* key)
{
    const CString text = JsonMemberText(object, key);
    return UnescapedUtf8ToAnsi(std::string((const char*)text, (size_t)text.GetLength()));
}

json_t* LegToJson(const StrategyLeg& leg)
{
    json_t* object = json_object();
    json_object_set_new(object, "strContractType", EscapedString(leg.strContractType));
    json_object_set_new(object, "strDirection", EscapedString(leg.strDirection));
    json_object_set_new(object, "strMultiple", EscapedString(leg.strMultiple));
    json_object_set_new(object, "strPoint", EscapedString(leg.strPoint));
    json_object_set_new(object, "strSlipPoint", EscapedString(leg.strSlipPoint));
    json_object_set_new(object, "strPriceType", EscapedString(leg.strPriceType));
    json_object_set_new(object, "bEnable", json_integer(leg.bEnable));
    return object;
}

StrategyLeg LegFromJson(json_t* object)
{
    StrategyLeg leg;
    leg.strContractType = UnescapedMember(object, "strContractType");
    leg.strDirection = UnescapedMember(object, "strDirection");
    leg.strPriceType = UnescapedMember(object, "strPriceType");
    leg.strMultiple = UnescapedMember(object, "strMultiple");
    leg.strPoint = UnescapedMember(object, "strPoint");
    const CString slip = UnescapedMember(object, "strSlipPoint");
    if (!slip.IsEmpty())
        leg.strSlipPoint = slip;
    leg.bEnable = atoi(JsonMemberText(object, "bEnable"));
    return leg;
}

}  // namespace

CString StrategyToJson(const StrategyInfo& strategy)
{
    json_t* root = json_object();
    json_object_set_new(root, "nStragegyId", json_integer(strategy.nStragegyId));
    json_object_set_new(root, "strStrategyName", EscapedString(strategy.strStrategyName));
    json_t* legs = json_array();
    for (const StrategyLeg& leg : strategy.vecStrategy)
        json_array_append_new(legs, LegToJson(leg));
    json_object_set_new(root, "vecStrategy", legs);
    char* dumped = json_dumps(root, 0);
    json_decref(root);
    CString body(dumped != nullptr ? dumped : "");
    free(dumped);
    return body;
}

void StrategyFromJson(StrategyInfo& strategy, const CString& body)
{
    strategy.vecStrategy.clear();
    if (body.IsEmpty())
        return;
    json_t* root = ParseJsonText(std::string((const char*)body, (size_t)body.GetLength()));
    if (root == nullptr)
        return;
    if (json_is_object(root)) {
        strategy.nStragegyId = atoi(JsonMemberText(root, "nStragegyId"));
        strategy.strStrategyName = UnescapedMember(root, "strStrategyName");
        json_t* legs = json_object_get(root, "vecStrategy");
        if (json_is_array(legs)) {
            for (size_t i = 0; i < json_array_size(legs); ++i) {
                json_t* leg = json_array_get(legs, i);
                if (leg != nullptr)
                    strategy.vecStrategy.push_back(LegFromJson(leg));
            }
        }
    }
    json_decref(root);
}
