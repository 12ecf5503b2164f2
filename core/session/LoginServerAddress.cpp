#include "LoginServerAddress.h"

#include <afxmt.h>

namespace {

struct LoginServer
{
    CCriticalSection lock;
    CString host;
    USHORT port = 0;
    bool known = false;
};

LoginServer& TheLoginServer()
{
    static LoginServer server;
    return server;
}

} // namespace

void SetLoginServerAddress(const CString& host, USHORT port)
{
    LoginServer& server = TheLoginServer();
    CSingleLock lock(&server.lock, TRUE);
    server.host = host;
    server.port = port;
    server.known = true;
}

bool GetLoginServerAddress(CString& host, USHORT& port)
{
    LoginServer& server = TheLoginServer();
    CSingleLock lock(&server.lock, TRUE);
    if (!server.known)
        return false;
    host = server.host;
    port = server.port;
    return true;
}
