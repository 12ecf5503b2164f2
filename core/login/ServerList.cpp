#include "ServerList.h"
#include "TextHelpers.h"

#include <stdlib.h>

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

namespace {

std::vector<CString> NonEmptyLines(const CString& text)
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
    return kept;
}

bool IsDecimalPort(const CString& text)
{
    if (text.IsEmpty() || text.GetLength() > 5)
        return false;
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    const int port = atoi(text);
    return port >= 1 && port <= 65535;
}

bool IsSectionLine(const CString& line)
{
    return line[0] == '[' && line[line.GetLength() - 1] == ']';
}

// Records and entries of the server lines, in order; false at the first damaged one.
bool ReadServerLines(const std::vector<CString>& lines, size_t first, bool skipSections, ServerList& parsed)
{
    for (size_t i = first; i < lines.size(); ++i)
    {
        if (skipSections && IsSectionLine(lines[i]))
            continue;
        if (!IsSoundServerLine(lines[i]))
            return false;
        parsed.records.push_back(ParseServerListLine(lines[i]));
        parsed.entries.push_back((LPCSTR)parsed.records.back().host);
    }
    return true;
}

}  // namespace

bool IsSoundServerLine(const CString& line)
{
    for (int i = 0; i < line.GetLength(); ++i)
        if ((unsigned char)line[i] < 0x20 || line[i] == 0x7F)
            return false;
    if (line.Find(',') < 0)
        return false;
    const ServerListRecord record = ParseServerListLine(line);
    if (record.host.IsEmpty())
        return false;
    CStringArray address;
    SplitString(address, record.port, ":", true, true);
    return (address.GetSize() == 2 || address.GetSize() == 3) && !address[0].IsEmpty() && IsDecimalPort(address[1]);
}

ServerListParseResult ParseArrangedServerList(const CString& text, ServerList& list)
{
    const std::vector<CString> kept = NonEmptyLines(text);
    if (kept.empty())
        return SERVER_LIST_EMPTY;
    if (kept[0] != kArrangedListHeader)
        return SERVER_LIST_BAD_HEADER;
    ServerList parsed;
    if (!ReadServerLines(kept, 1, false, parsed))
        return SERVER_LIST_DAMAGED;
    list = parsed;
    return SERVER_LIST_OK;
}

ServerListParseResult ParsePlainServerList(const CString& text, ServerList& list)
{
    const std::vector<CString> kept = NonEmptyLines(text);
    if (kept.empty())
        return SERVER_LIST_EMPTY;
    ServerList parsed;
    if (!ReadServerLines(kept, 0, true, parsed))
        return SERVER_LIST_DAMAGED;
    list = parsed;
    return SERVER_LIST_OK;
}
