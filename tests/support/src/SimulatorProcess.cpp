#include "testsupport/SimulatorProcess.h"

#include "testsupport/Pump.h"

#include <winsock2.h>
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

namespace tolvan::test {

namespace {

// The ready file holds one whole line once the simulator listens (it is renamed into place).
bool ReadReadyLine(const std::string& path, std::string& line)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (file == NULL)
        return false;
    char buffer[1024] = {};
    const size_t length = fread(buffer, 1, sizeof(buffer) - 1, file);
    fclose(file);
    line.assign(buffer, length);
    return line.find('\n') != std::string::npos;
}

// A fresh /tmp name per simulator, so tests running at once never share a ready file.
std::string UniqueReadyFile()
{
    static LONG s_count = 0;
    char name[96];
    sprintf(name, "/tmp/tolvan-sim-%lu-%lu-%ld", ::GetCurrentProcessId(), ::GetTickCount(),
            ::InterlockedIncrement(&s_count));
    return name;
}

// The same Linux path as Wine's Z: drive shows it.
std::string WinePath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

}  // namespace

SimulatorProcess::SimulatorProcess()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
}

SimulatorProcess::~SimulatorProcess()
{
    if (m_control > 0)
        Control("quit");
    WSACleanup();
}

bool SimulatorProcess::Start()
{
    const std::string unixReady = UniqueReadyFile();
    std::string command = std::string("cmd /c start /unix /usr/bin/python3 ") + TOLVAN_SOURCE_DIR +
                          "/tools/sim/tolvan_sim.py --ports 0 --manual-ticks"
                          " --clock \"2024-06-14 10:30:00\" --max-seconds 600 --log-level WARNING"
                          " --ready-file " + unixReady;
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    const std::string readyPath = WinePath(unixReady);
    std::string line;
    const bool ready = PumpUntil([&] { return ReadReadyLine(readyPath, line); }, 60000);
    ::DeleteFileA(readyPath.c_str());
    m_readyLine = line;
    m_control = Port("control");
    return ready && m_control > 0;
}

std::string SimulatorProcess::Control(const std::string& command)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons((u_short)m_control);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (connect(s, (sockaddr*)&address, sizeof(address)) == 0)
    {
        const std::string line = command + "\n";
        send(s, line.c_str(), (int)line.size(), 0);
        char c;
        while (recv(s, &c, 1, 0) == 1 && c != '\n')
            answer += c;
    }
    closesocket(s);
    return answer;
}

int SimulatorProcess::Port(const char* kind) const
{
    const std::string key = std::string("\"") + kind + "\": ";
    const size_t at = m_readyLine.find(key);
    return at == std::string::npos ? 0 : atoi(m_readyLine.c_str() + at + key.size());
}

}  // namespace tolvan::test
