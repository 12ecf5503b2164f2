// One notice of the notice service.
#pragma once
#include <string>

struct NoticeRecord
{
    std::string strId;           // "sub_id"
    std::string strTitle;        // "sub_bt"
    std::string strSubTitle;     // "sub_bt_d"
    std::string strContent;      // "content", HTML
    std::string strSource;       // "source"
    std::string strSpare;        // not filled
};
