// Stands in for the speed-test program in tests of the login window's server lists:
//   Probehall.exe <mode>;"<server list>";"<sorted list>"
// It notes its arguments in "probe.log" beside the sorted list, waits while a test holds the
// event "TolvanTestProbeGate" reset (at most 30 s, so a failing test cannot hang), puts the
// list the test prepared ("<sorted list>.next") in place and notes "done". Without a prepared
// list it ends with exit code 4.
#include <windows.h>

#include <stdio.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Arguments()
{
    const char* rest = GetCommandLineA();
    if (*rest == '"')
    {
        rest = strchr(rest + 1, '"');
        rest = rest != nullptr ? rest + 1 : "";
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

void Note(const std::string& folder, const std::string& line)
{
    FILE* log = fopen((folder + "probe.log").c_str(), "ab");
    if (log != nullptr)
    {
        fputs((line + "\n").c_str(), log);
        fclose(log);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::vector<std::string> arguments = Arguments();
    if (arguments.size() < 3)
        return 2;
    const std::string& sorted = arguments[2];
    const std::string folder = sorted.substr(0, sorted.rfind('\\') + 1);
    Note(folder, arguments[0] + ";" + arguments[1].substr(arguments[1].rfind('\\') + 1) + ";" +
                     sorted.substr(sorted.rfind('\\') + 1));
    HANDLE gate = OpenEventA(SYNCHRONIZE, FALSE, "TolvanTestProbeGate");
    if (gate != NULL)
    {
        WaitForSingleObject(gate, 30000);
        CloseHandle(gate);
    }
    // Without a prepared list it fails as the real program does when it cannot write one.
    const bool written = MoveFileExA((sorted + ".next").c_str(), sorted.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    Note(folder, "done");
    return written ? 0 : 4;
}
