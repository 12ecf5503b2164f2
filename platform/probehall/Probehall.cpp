// Probehall: measures how fast each listed login server accepts a TCP connection and writes
// the list again, fastest first, for the terminal's login window.
//   Probehall.exe <mode>;"<server list>";"<sorted list>"
// mode 1 (the user asked for a test) tries every server three times, mode 0 once. Servers are
// probed in parallel, each try bounded; servers that never answered go last, in list order.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "FileCrypt.h"
#include "ServerList.h"

namespace {

const DWORD kTryTimeoutMs = 1500;
const DWORD kUnreachable = 0xFFFFFFFF;

struct Server
{
    CString line;     // as read, written back unchanged
    CString host;
    CString port;
    DWORD bestMs = kUnreachable;
};

std::vector<std::string> SplitArguments(const char* commandLine)
{
    // Skip the program's own name (quoted or not).
    const char* rest = commandLine;
    if (*rest == '"')
    {
        rest = strchr(rest + 1, '"');
        rest = rest != nullptr ? rest + 1 : commandLine + strlen(commandLine);
    }
    else
        while (*rest != '\0' && *rest != ' ')
            ++rest;
    std::vector<std::string> arguments(1);
    for (; *rest != '\0'; ++rest)
    {
        if (*rest == ';')
            arguments.emplace_back();
        else if (*rest != '"' && !(arguments.back().empty() && *rest == ' '))
            arguments.back() += *rest;
    }
    return arguments;
}

DWORD ConnectOnce(const CString& host, const CString& port)
{
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* address = nullptr;
    if (getaddrinfo(host, port, &hints, &address) != 0 || address == nullptr)
        return kUnreachable;
    SOCKET sock = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    DWORD elapsed = kUnreachable;
    if (sock != INVALID_SOCKET)
    {
        u_long nonBlocking = 1;
        ioctlsocket(sock, FIONBIO, &nonBlocking);
        const DWORD start = GetTickCount();
        connect(sock, address->ai_addr, (int)address->ai_addrlen);
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(sock, &writable);
        FD_SET(sock, &failed);
        timeval timeout = {(long)(kTryTimeoutMs / 1000), (long)((kTryTimeoutMs % 1000) * 1000)};
        if (select(0, nullptr, &writable, &failed, &timeout) == 1 && FD_ISSET(sock, &writable))
            elapsed = GetTickCount() - start;
        closesocket(sock);
    }
    freeaddrinfo(address);
    return elapsed;
}

void Probe(Server& server, int tries)
{
    for (int i = 0; i < tries; ++i)
        server.bestMs = std::min(server.bestMs, ConnectOnce(server.host, server.port));
}

// The address after the display text is host:port:key.
void SplitAddress(Server& server, const CString& address)
{
    const int colon = address.Find(':');
    server.host = colon >= 0 ? address.Left(colon) : address;
    CString rest = colon >= 0 ? address.Mid(colon + 1) : CString();
    const int keyColon = rest.Find(':');
    server.port = keyColon >= 0 ? rest.Left(keyColon) : rest;
}

std::vector<Server> ReadServers(const CString& path, bool& ok)
{
    std::vector<Server> servers;
    CFileCrypt crypt;
    CString text;
    ok = crypt.DecryptFileToString(path, text) != false;
    int start = 0;
    while (ok && start <= text.GetLength())
    {
        int end = text.Find('\n', start);
        if (end < 0)
            end = text.GetLength();
        CString line = text.Mid(start, end - start);
        line.TrimRight("\r");
        start = end + 1;
        if (line.IsEmpty() || line[0] == '[')
            continue;
        Server server;
        server.line = line;
        SplitAddress(server, ParseServerListLine(line).port);
        servers.push_back(server);
    }
    return servers;
}

void CreateParentFolder(const CString& path)
{
    const int slash = path.ReverseFind('\\');
    if (slash > 0)
        CreateDirectoryA(path.Left(slash), nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::vector<std::string> arguments = SplitArguments(GetCommandLineA());
    if (arguments.size() < 3)
        return 2;
    const int tries = arguments[0] == "1" ? 3 : 1;
    bool ok = false;
    std::vector<Server> servers = ReadServers(arguments[1].c_str(), ok);
    if (!ok)
        return 3;

    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    std::vector<std::thread> probes;
    for (Server& server : servers)
        probes.emplace_back([&server, tries] { Probe(server, tries); });
    for (std::thread& probe : probes)
        probe.join();
    WSACleanup();

    std::stable_sort(servers.begin(), servers.end(),
                     [](const Server& a, const Server& b) { return a.bestMs < b.bestMs; });
    CString sorted = kArrangedListHeader;
    for (const Server& server : servers)
        sorted += "\n" + server.line;
    sorted += "\n";
    CreateParentFolder(arguments[2].c_str());
    CFileCrypt crypt;
    return crypt.EncryptStringToFile(sorted, arguments[2].c_str()) ? 0 : 4;
}
