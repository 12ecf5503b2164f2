// Where Horavane looks for the server clock: up to five RFC 868 time servers, tried in
// order, and the SOAP time service asked when none of them answers.
//
// The settings come from an ini file: the one named on the command line
// ("Horavane.exe --config <path>"), else "Horavane.ini" beside the program. Without a file
// (or without keys in it) the built-in defaults hold.
//
//   [TimeProtocol]
//   Host1=time.nist.gov          ; "host" or "host:port"; the port defaults to 37
//   ...
//   Host5=...
//   [Soap]
//   Endpoint=http://localhost:10700/time.wsdl
//   Namespace=...                ; namespace of the service's elements; defaults to Endpoint
#pragma once
#include <afx.h>
#include <vector>

struct TimeServerAddress
{
    CString strHost;
    unsigned short nPort;
};

class CHoravaneConfig
{
public:
    static const int kMaxTimeServers = 5;
    static const unsigned short kTimeProtocolPort = 37;

    CHoravaneConfig();   // the built-in defaults

    // Reads the settings of an ini file over the defaults; a missing file changes nothing.
    void Load(LPCTSTR lpszIniPath);
    // The ini file of this run: from the command line arguments, else beside the program.
    static CString FindIniPath(int argc, char** argv);

    // "host" or "host:port"; false for an empty host or a port outside 1..65535.
    static bool ParseAddress(const CString& strText, TimeServerAddress& address);

    std::vector<TimeServerAddress> m_timeServers;
    CString m_strSoapEndpoint;
    CString m_strSoapNamespace;
};
