// Reader of the JSON quote replies of the "stockListTimely" and "stockTimely" services.
#pragma once
#include <afx.h>
#include <string>
#include <vector>
#include "WebQuoteRecord.h"

// 0 when "returnCode" is the integer 200 and "list" is an array (also an empty one): one
// record per element is appended, every key read as text, the name URL-unescaped and
// converted from UTF-8. -1 for an empty body, a body that is not JSON, another code, a code
// that is not an integer or a missing list; pMessage, when given, receives "returnMsg"
// (converted from UTF-8), or "请求失败" for a code other than 200.
int ParseQuoteReply(const std::string& body, std::vector<WebQuoteRecord>& records,
                    CString* pMessage = nullptr);
