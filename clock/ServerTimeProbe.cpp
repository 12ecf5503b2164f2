#include "ServerTimeProbe.h"
#include "ServerTimeText.h"
#include "SoapTimeClient.h"
#include "TimeProtocolClient.h"

#include <winsock2.h>

CServerTimeProbe::CServerTimeProbe(const CHoravaneConfig& config)
    : m_config(config), m_timeSource([] { return _time64(nullptr); })
{
}

CServerTimeProbe::Outcome CServerTimeProbe::Measure(ServerTimeAnswer& answer)
{
    if (AskTimeProtocol(answer))
        return Answered;
    return AskSoapService(answer);
}

bool CServerTimeProbe::AskTimeProtocol(ServerTimeAnswer& answer)
{
    const __time64_t nBefore = m_timeSource();
    WSADATA wsaData;
    if (::WSAStartup(MAKEWORD(2, 2), &wsaData) != 0)
        return false;
    CString strText;
    CTimeProtocolClient client(m_config.m_timeServers);
    const bool bAnswered = client.QueryTimeProtocol(strText);
    ::WSACleanup();
    return bAnswered && Complete(strText, nBefore, answer);
}

CServerTimeProbe::Outcome CServerTimeProbe::AskSoapService(ServerTimeAnswer& answer)
{
    const __time64_t nBefore = m_timeSource();
    CString strText;
    CSoapTimeClient client(m_config.m_strSoapEndpoint, m_config.m_strSoapNamespace);
    switch (client.QueryCurrent(strText))
    {
    case CSoapTimeClient::Answered:
        return Complete(strText, nBefore, answer) ? Answered : NoAnswer;
    case CSoapTimeClient::NoResult:
        return NoSoapResult;
    default:
        return NoAnswer;
    }
}

bool CServerTimeProbe::Complete(const CString& strText, __time64_t nBefore, ServerTimeAnswer& answer)
{
    const __time64_t nAfter = m_timeSource();
    __time64_t nServerUtc = 0;
    if (!CServerTimeText::ToUtc(strText, nServerUtc))
        return false;   // a text that names no time is no answer
    const LONGLONG nOffset = CServerTimeText::Offset(nServerUtc, nBefore, nAfter);
    // The answer travels in an LPARAM: an offset that a 32-bit one cannot hold is not cut.
    if (static_cast<LONGLONG>(static_cast<LPARAM>(nOffset)) != nOffset)
        return false;
    answer.strTimeText = strText;
    answer.nDate = CServerTimeText::DateNumber(strText);
    answer.nOffset = nOffset;
    return true;
}
