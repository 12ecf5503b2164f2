#include "HoravaneConfig.h"

#include <stdlib.h>

#include "IniFile.h"

namespace {

const char* const kDefaultTimeServers[] = {
    "time.nist.gov", "time-a-g.nist.gov", "time-b-g.nist.gov", "time-c-g.nist.gov",
    "time-d-g.nist.gov",
};
const char* const kDefaultSoapEndpoint = "http://localhost:10700/time.wsdl";

CString ReadIniText(LPCTSTR lpszIniPath, LPCTSTR lpszSection, LPCTSTR lpszKey)
{
    CString strValue = ReadProfileString(lpszIniPath, lpszSection, lpszKey);
    strValue.Trim();
    return strValue;
}

}  // namespace

CHoravaneConfig::CHoravaneConfig()
    : m_strSoapEndpoint(kDefaultSoapEndpoint), m_strSoapNamespace(kDefaultSoapEndpoint)
{
    for (const char* pszHost : kDefaultTimeServers)
        m_timeServers.push_back(TimeServerAddress{pszHost, kTimeProtocolPort});
}

bool CHoravaneConfig::ParseAddress(const CString& strText, TimeServerAddress& address)
{
    CString strHost = strText;
    unsigned short nPort = kTimeProtocolPort;
    const int nColon = strText.ReverseFind(':');
    if (nColon >= 0)
    {
        const CString strPort = strText.Mid(nColon + 1);
        char* pEnd = nullptr;
        const long nValue = strtol(strPort, &pEnd, 10);
        if (strPort.IsEmpty() || *pEnd != '\0' || nValue < 1 || nValue > 65535)
            return false;
        nPort = static_cast<unsigned short>(nValue);
        strHost = strText.Left(nColon);
    }
    strHost.Trim();
    if (strHost.IsEmpty())
        return false;
    address.strHost = strHost;
    address.nPort = nPort;
    return true;
}

void CHoravaneConfig::Load(LPCTSTR lpszIniPath)
{
    if (lpszIniPath == nullptr || ::GetFileAttributesA(lpszIniPath) == INVALID_FILE_ATTRIBUTES)
        return;

    std::vector<TimeServerAddress> servers;
    for (int i = 1; i <= kMaxTimeServers; ++i)
    {
        CString strKey;
        strKey.Format("Host%d", i);
        TimeServerAddress address;
        if (ParseAddress(ReadIniText(lpszIniPath, "TimeProtocol", strKey), address))
            servers.push_back(address);
    }
    if (!servers.empty())
        m_timeServers = servers;

    const CString strEndpoint = ReadIniText(lpszIniPath, "Soap", "Endpoint");
    if (!strEndpoint.IsEmpty())
        m_strSoapEndpoint = m_strSoapNamespace = strEndpoint;
    const CString strNamespace = ReadIniText(lpszIniPath, "Soap", "Namespace");
    if (!strNamespace.IsEmpty())
        m_strSoapNamespace = strNamespace;
}

CString CHoravaneConfig::FindIniPath(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
    {
        if (strcmp(argv[i], "--config") == 0)
            return argv[i + 1];
    }
    char szPath[MAX_PATH + 1] = {0};
    const DWORD nLength = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        return "Horavane.ini";
    CString strPath(szPath);
    return strPath.Left(strPath.ReverseFind('\\') + 1) + "Horavane.ini";
}
