// One server of the login reply's server list ("#markserver:"): twelve texts taken from one
// "|"-separated entry.
#pragma once
#include <afx.h>

class ServerRecord
{
public:
    enum Field
    {
        kName = 0,        // the name its connection is registered under
        kHost = 3,        // dotted IPv4 address or host name
        kPort = 4,        // decimal text
        kType = 6,        // "1" quote, "2" depth, "3" trade, "4" query, "5" proxy trade, "6" proxy query
        kLoginRange = 9,  // sent in "login@mark:"
        kOpenTime = 10,   // "06:00" for quote servers, else empty
        kCloseTime = 11,  // "24:00" for quote servers, else empty
        kFieldCount = 12
    };

    ServerRecord() {}
    // Fields 0-9 of the entry in order (an entry with fewer than ten fields leaves every
    // field empty; fields beyond the tenth are ignored); a quote server (type 1) gets the
    // session times "06:00" and "24:00".
    explicit ServerRecord(const CString& entry);

    const CString& GetField(int index) const { return m_strFields[index]; }
    const CString& GetName() const { return m_strFields[kName]; }
    const CString& GetHost() const { return m_strFields[kHost]; }
    const CString& GetPort() const { return m_strFields[kPort]; }
    const CString& GetTypeText() const { return m_strFields[kType]; }

    CString m_strFields[kFieldCount];
};
