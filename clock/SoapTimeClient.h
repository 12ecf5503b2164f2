// Asks the SOAP time service for the server time ("current" -> "result").
#pragma once
#include <afx.h>

class CSoapTimeClient
{
public:
    enum Result
    {
        CallFailed,   // no connection, an HTTP or SOAP fault, or an unreadable reply
        NoResult,     // the reply came without a "result" element
        Answered,
    };

    // Time-out of sending and receiving: a service that accepts and then stays silent must
    // not keep the program alive. Connecting uses the system's time-out.
    static const int kTimeoutSeconds = 10;

    CSoapTimeClient(const CString& strEndpoint, const CString& strNamespace);

    Result QueryCurrent(CString& strResult);

private:
    CString m_strEndpoint;
    CString m_strNamespace;
};
