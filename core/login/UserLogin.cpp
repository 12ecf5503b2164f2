#include "UserLogin.h"
#include "ILogin.h"
#include "LoginProcess.h"
#include "LoginState.h"
#include "SessionData.h"
#include "TextHelpers.h"
#include "UserSettingsFile.h"

#include <stdlib.h>

const char kDefaultServerAddress[] = "127.0.0.1:5169:KQZTWXBNPL4M";

namespace {

const char kLoginFailed[] = "登录失败";

CString ReadConfigText(const CString& iniPath, const char* key, const char* fallback)
{
    char buffer[260] = {0};
    ::GetPrivateProfileStringA("system", key, fallback, buffer, sizeof(buffer), iniPath);
    return buffer;
}

// Waits ms; false when the attempt was cancelled meanwhile.
bool Pause(const UserLoginContext& context, DWORD ms)
{
    if (context.cancelEvent == NULL)
    {
        ::Sleep(ms);
        return true;
    }
    return ::WaitForSingleObject(context.cancelEvent, ms) == WAIT_TIMEOUT;
}

bool Cancelled(const UserLoginContext& context)
{
    return context.cancelEvent != NULL && ::WaitForSingleObject(context.cancelEvent, 0) == WAIT_OBJECT_0;
}

const int kCancelled = -1000;

int WaitForResult(CLoginProcess& process, const UserLoginContext& context)
{
    for (int look = 0; look < context.pollCount; ++look)
    {
        const int result = process.GetResult();
        if (result == CLoginProcess::kResultAccepted || result < 0)
            break;
        if (!Pause(context, context.pollMs))
            return kCancelled;
    }
    return process.GetResult();
}

// Nobody is left to tell: drop the connection and keep the gate closed.
int EndCancelled(UserLoginContext& context)
{
    if (context.loginGate != nullptr)
        ::InterlockedExchange(context.loginGate, LOGIN_GATE_CLOSED);
    context.process->GetClient().Stop();
    return 0;
}

void RememberServer(const UserLoginRequest& request, const UserLoginContext& context)
{
    if (request.serverIndex < 0)
        return;
    if (UseAnalogServerList())
        serveListIndexAnalog = request.serverIndex;
    else
        serveListIndexTrue = request.serverIndex;
    if (DefaultServerUsed)
        return;
    // The user folder of a fresh installation may not exist yet.
    const int slash = context.userConfigPath.ReverseFind('\\');
    if (slash > 0)
        ::CreateDirectoryA(context.userConfigPath.Left(slash), NULL);
    UserSettings settings;
    settings.strUserName = request.user;
    settings.nServeListIndexAnalog = serveListIndexAnalog;
    settings.nServeListIndexTrue = serveListIndexTrue;
    SaveUserSettings(context.userConfigPath, settings);
}

int Fail(ILogin& window, UserLoginContext& context, int result)
{
    window.SetStatusText(LoginFailureText(result));
    if (context.loginGate != nullptr)
        ::InterlockedExchange(context.loginGate, LOGIN_GATE_CLOSED);
    context.process->GetClient().Stop();
    window.EnableInput(true);
    window.ShowResult(kLoginFailed);
    return 0;
}

void ShowMessage(UserLoginContext& context, const char* text)
{
    if (context.showMessage)
        context.showMessage(text);
}

// A port is a decimal number from 1 to 65535; anything else would reach another port once
// cut to 16 bits.
bool ReadPort(const CString& text, int& port)
{
    if (text.IsEmpty() || text.GetLength() > 5)
        return false;
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    port = atoi(text);
    return port >= 1 && port <= 65535;
}

}  // namespace

const char* LoginFailureText(int result)
{
    switch (result)
    {
    case kSendFailedResult:
        return "连接服务器失败！";
    case CLoginProcess::kResultRefused:
        return "用户名或密码错误！";
    case CLoginProcess::kResultNetworkError:
        return "网络错误！";
    case CLoginProcess::kResultServerDataError:
        return "服务器数据错误！";
    default:
        return "服务器超时！";
    }
}

int RunUserLogin(const UserLoginRequest& request, UserLoginContext& context)
{
    ILogin& window = *request.window;
    window.EnableInput(false);

    const CString specialAccount = ReadConfigText(context.configIniPath, "specialAccount", "417263");
    const CString specialPassword = ReadConfigText(context.configIniPath, "specialPassword", "590318");
    if (request.user == specialAccount && request.password == specialPassword)
    {
        SpecialLoginFlag = true;
        window.EnableInput(true);
        window.SetMode(1);
        window.ShowResult("");
        return 0;
    }

    window.SetStatusText("正在连接服务器....");
    int serverIndex = request.serverIndex;
    if (serverIndex != kDefaultServerIndex)
    {
        if (request.user == "6072" && request.password == "735196")
            serverIndex = kDefaultServerIndex;
        else if (request.user.IsEmpty() || request.password.IsEmpty())
        {
            window.EnableInput(true);
            window.ShowResult(kLoginFailed);
            return 0;
        }
    }

    CString address;
    if (serverIndex != kDefaultServerIndex)
    {
        DefaultServerUsed = false;
        if (serverIndex < 0 || serverIndex >= (int)context.serverAddresses.size())
        {
            ShowMessage(context, "服务器地址无效!");
            window.EnableInput(true);
            return 0;
        }
        address = context.serverAddresses[serverIndex];
    }
    else
    {
        GetSessionData().m_nAccountMode = 0;
        address = context.defaultServerAddress;
        DefaultServerUsed = true;
    }

    CStringArray fields;
    SplitString(fields, address, ":", true, true);
    if (fields.GetSize() < 2)
    {
        ShowMessage(context, "服务器地址无效!");
        window.EnableInput(true);
        return 0;
    }
    int port = 0;
    if (!ReadPort(fields[1], port))
    {
        ShowMessage(context, "服务器地址无效!");
        window.EnableInput(true);
        return 0;
    }
    CLoginProcess& process = *context.process;
    process.SetServer(fields[0], (USHORT)port, fields.GetSize() > 2 ? fields[2] : CString());
    process.SetUser(request.user, request.password);

    if (process.SendLogin() != CLoginProcess::kSendOk)
        return Cancelled(context) ? EndCancelled(context) : Fail(window, context, kSendFailedResult);
    const int result = WaitForResult(process, context);
    if (result == kCancelled)
        return EndCancelled(context);
    if (result != CLoginProcess::kResultAccepted)
        return Fail(window, context, result);

    window.SetStatusText("登录成功!");
    RememberServer(UserLoginRequest{request.window, request.user, request.password, serverIndex}, context);
    if (!Pause(context, context.successPauseMs))
        return EndCancelled(context);
    if (context.loginGate != nullptr)
        ::InterlockedExchange(context.loginGate, LOGIN_GATE_OPEN);
    window.CloseWindow();
    return 1;
}
