// The user's first login as the login window's submit starts it: picks the server, runs the
// first-login object, reports every outcome in the login window, remembers the chosen server
// in "usrcfg.ini" and opens the main window's login gate.
#pragma once
#include <afx.h>
#include <functional>
#include <vector>

class CLoginProcess;
class ILogin;

// serverIndex value that asks for the built-in default server.
const int kDefaultServerIndex = -100;
// The built-in default server (host:port:key); the simulator's login server listens there.
extern const char kDefaultServerAddress[];

// Login gate values of the main window.
enum { LOGIN_GATE_CLOSED = -2, LOGIN_GATE_OPEN = 1 };

// What the login window submitted, copied before the thread starts (the window's texts may
// change while the thread runs).
struct UserLoginRequest
{
    ILogin* window = nullptr;
    CString user;
    CString password;
    int serverIndex = 0;
};

struct UserLoginContext
{
    CString configIniPath;    // "Config.ini" of the program directory (the special account)
    CString userConfigPath;   // "usrcfg.ini" in the user directory
    std::vector<CString> serverAddresses;  // address (host:port:key) of each list entry
    CString defaultServerAddress = kDefaultServerAddress;
    CLoginProcess* process = nullptr;
    volatile LONG* loginGate = nullptr;
    std::function<void(const char* text)> showMessage;  // a message box owned by the main window
    DWORD pollMs = 10;            // the wait for the login result: pollCount looks, pollMs apart
    int pollCount = 300;
    DWORD successPauseMs = 1000;  // lets the user read "登录成功!" before the window closes
    // Set when the login window has gone: the attempt ends at its next wait, drops its
    // connection and leaves the gate closed. Optional.
    HANDLE cancelEvent = NULL;
};

// The status text of a failed login result (SendLogin failures count as kSendFailedResult).
const int kSendFailedResult = 100;
const char* LoginFailureText(int result);

// Runs one attempt; 1 after an accepted login, else 0 (also when it was cancelled).
int RunUserLogin(const UserLoginRequest& request, UserLoginContext& context);
