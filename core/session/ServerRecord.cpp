#include "ServerRecord.h"

#include "TextHelpers.h"

ServerRecord::ServerRecord(const CString& entry)
{
    CStringArray fields;
    SplitString(fields, entry, "|", true, false);
    if (fields.GetSize() < 10)
        return;
    for (int i = 0; i < 10; ++i)
        m_strFields[i] = fields[i];
    if (atoi(m_strFields[kType]) == 1)
    {
        m_strFields[kOpenTime] = "06:00";
        m_strFields[kCloseTime] = "24:00";
    }
}
