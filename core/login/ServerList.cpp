#include "ServerList.h"
#include "TextHelpers.h"

const char kArrangedListHeader[] = "[ArrangeNetwork]";

ServerListRecord ParseServerListLine(const CString& line)
{
    ServerListRecord record;
    CString rest = line;
    const int comma = line.Find(',');
    if (comma >= 0)
    {
        record.name = line.Left(comma);
        rest = line.Mid(comma + 1);
    }
    const int colon = rest.Find(':');
    if (colon >= 0)
    {
        record.host = rest.Left(colon);
        record.port = rest.Mid(colon + 1);
    }
    else
        record.port = rest;
    return record;
}

int ServerList::ClampIndex(int remembered) const
{
    if (records.empty())
        return -1;
    if (remembered < 0 || remembered >= (int)records.size())
        return 0;
    return remembered;
}

ServerListParseResult ParseArrangedServerList(const CString& text, ServerList& list)
{
    CStringArray lines;
    SplitString(lines, text, "\n", true, true);
    std::vector<CString> kept;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
    {
        CString line = lines[i];
        line.TrimRight("\r");
        if (!line.IsEmpty())
            kept.push_back(line);
    }
    if (kept.empty())
        return SERVER_LIST_EMPTY;
    if (kept[0] != kArrangedListHeader)
        return SERVER_LIST_BAD_HEADER;
    ServerList parsed;
    for (size_t i = 1; i < kept.size(); ++i)
    {
        parsed.records.push_back(ParseServerListLine(kept[i]));
        parsed.entries.push_back((LPCSTR)parsed.records.back().host);
    }
    list = parsed;
    return SERVER_LIST_OK;
}
