#include "TextScanner.h"

#include <string.h>

namespace
{
struct LeadBytes
{
    bool lead[256];

    LeadBytes()
    {
        memset(lead, 0, sizeof(lead));
        CPINFO info;
        if (!GetCPInfo(CP_ACP, &info))
            return;
        for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] || info.LeadByte[i + 1]); i += 2)
            for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b)
                lead[b] = true;
    }
};

const LeadBytes& LeadByteTable()
{
    static const LeadBytes table;
    return table;
}
}

CTextScanner::CTextScanner(const CString& text)
    : m_text((LPCSTR)text), m_length(text.GetLength())
{
}

CTextScanner::CTextScanner(const char* text, int length)
    : m_text(text), m_length(length < 0 ? 0 : length)
{
}

bool CTextScanner::IsLeadByte(unsigned char b)
{
    return b >= 0x80 && LeadByteTable().lead[b];
}

int CTextScanner::Find(char ch, int from, int limit) const
{
    if (limit < 0 || limit > m_length)
        limit = m_length;
    if (from < 0)
        from = 0;
    const bool (&lead)[256] = LeadByteTable().lead;
    for (int i = from; i < limit;)
    {
        const unsigned char c = (unsigned char)m_text[i];
        if (c == (unsigned char)ch)
            return i;
        i += (lead[c] && i + 1 < limit) ? 2 : 1;
    }
    return -1;
}

int CTextScanner::Find(const char* sub, int from, int limit) const
{
    const int subLength = sub == NULL ? 0 : (int)strlen(sub);
    if (subLength == 0)
        return -1;
    if (limit < 0 || limit > m_length)
        limit = m_length;
    if (from < 0)
        from = 0;
    const bool (&lead)[256] = LeadByteTable().lead;
    const char first = sub[0];
    for (int i = from; i + subLength <= limit;)
    {
        const unsigned char c = (unsigned char)m_text[i];
        if (c == (unsigned char)first && memcmp(m_text + i, sub, (size_t)subLength) == 0)
            return i;
        i += (lead[c] && i + 1 < limit) ? 2 : 1;
    }
    return -1;
}

CString CTextScanner::Mid(int begin, int end) const
{
    if (begin < 0)
        begin = 0;
    if (end > m_length)
        end = m_length;
    if (end <= begin)
        return CString();
    return CString(m_text + begin, end - begin);
}
