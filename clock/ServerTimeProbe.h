// One measurement of the server clock: the RFC 868 time servers first, the SOAP time
// service when none of them answers. The local clock is read before and after asking, so
// half the round trip can be taken off.
#pragma once
#include "HoravaneConfig.h"
#include <functional>

struct ServerTimeAnswer
{
    CString strTimeText;   // as the source gave it
    LONG nDate;            // YYYYMMDD of the server
    LONGLONG nOffset;      // server time minus local time, seconds
};

class CServerTimeProbe
{
public:
    enum Outcome
    {
        Answered,
        NoAnswer,          // no source answered (or the answer was unreadable)
        NoSoapResult,      // the SOAP service answered without a time
    };

    typedef std::function<__time64_t()> TimeSource;

    explicit CServerTimeProbe(const CHoravaneConfig& config);
    void SetTimeSource(TimeSource timeSource) { m_timeSource = std::move(timeSource); }

    Outcome Measure(ServerTimeAnswer& answer);

private:
    bool AskTimeProtocol(ServerTimeAnswer& answer);
    Outcome AskSoapService(ServerTimeAnswer& answer);
    bool Complete(const CString& strText, __time64_t nBefore, ServerTimeAnswer& answer);

    CHoravaneConfig m_config;
    TimeSource m_timeSource;
};
