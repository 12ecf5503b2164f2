// The program entry of GUI programs built on tolvanafx: hands over to AfxWinMain,
// which runs the application object's InitInstance, Run and ExitInstance.
#include <afxwin.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
