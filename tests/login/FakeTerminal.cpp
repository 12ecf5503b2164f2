// Stands in for the terminal in the updater's tests, as "<root>\bin\Tolvan.exe": notes
// "started" in "terminal.log" beside itself and runs while a test holds the event
// "TolvanTestTerminalGate" reset (at most 60 s, so a failing test cannot hang).
#include <windows.h>

#include <stdio.h>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string log = path;
    log = log.substr(0, log.rfind('\\') + 1) + "terminal.log";
    FILE* file = fopen(log.c_str(), "ab");
    if (file != NULL)
    {
        fputs("started\n", file);
        fclose(file);
    }
    HANDLE gate = OpenEventA(SYNCHRONIZE, FALSE, "TolvanTestTerminalGate");
    if (gate != NULL)
    {
        WaitForSingleObject(gate, 60000);
        CloseHandle(gate);
    }
    return 0;
}
