// The first login of a user on the login server: connect, send "login@uName:" with the user
// name and a digest of the password, collect the reply (it may arrive in any number of
// reads) and hand a complete accepted reply to the session data, which fills the user's
// server lists. The user-login thread sets the inputs, calls SendLogin and polls GetResult.
#pragma once
#include "ITcpClientListener.h"
#include "StreamTextSearch.h"
#include "TcpClient.h"

#include <afxmt.h>
#include <atomic>

struct evbuffer;

class CLoginProcess : public CTcpClientListener
{
public:
    // GetResult values. 0, 2 and 3 mean "no answer yet"; 1 and the negative values end the
    // attempt.
    enum
    {
        kResultNone = 0,            // request begun
        kResultAccepted = 1,        // the session data took the reply
        kResultConnected = 2,
        kResultIncomplete = 3,      // part of the reply arrived; the rest is awaited
        kResultNetworkError = -1,   // the connection failed or closed before a complete reply
        kResultRefused = -2,        // "loginresult@status:-1"
        kResultServerDataError = -4 // the session data rejected the reply, or it grew past the cap
    };

    // SendLogin values.
    enum
    {
        kSendOk = 0,
        kSendMissingInput = 1,   // empty user name or password
        kSendNoConnection = 2,
        kSendFailed = 3,
    };

    // Longest reply kept while waiting for its end.
    static const size_t kMaxReplyBytes = 4 * 1024 * 1024;

    CLoginProcess();
    ~CLoginProcess() override;
    CLoginProcess(const CLoginProcess&) = delete;
    CLoginProcess& operator=(const CLoginProcess&) = delete;

    // Inputs of the next SendLogin: the login server, the key of its address (sent after
    // "uRange:", may be empty), and the user's name and plain password.
    void SetServer(const CString& host, USHORT port, const CString& loginRange);
    void SetUser(const CString& userName, const CString& password);
    // Pause between the connection and the request (the login server wants a moment).
    void SetSendDelay(DWORD milliseconds) { m_sendDelayMs = milliseconds; }

    // Connects synchronously, records the login server and the user in the process-wide
    // places, and sends the request. One of the kSend values.
    int SendLogin();
    int GetResult() const { return m_result.load(); }
    bool IsClosed() const { return m_closed.load(); }
    // The session data's error text of the last complete reply.
    CString GetErrorText();
    // Bytes of a reply still waiting for its end.
    size_t GetPendingReplyBytes();
    // The user-login thread stops it after a failed attempt; after an accepted login it stays
    // connected.
    CTcpClient& GetClient() { return *m_client; }

    // "login@uName:<user>#uPwd:<md5(user + md5(password))>[##uRange:<range>]#@".
    static CString BuildLoginRequest(const CString& userName, const CString& password, const CString& loginRange);

    ListenerResult OnConnecting(IClient* client, SOCKET socket) override;
    ListenerResult OnConnected(IClient* client) override;
    ListenerResult OnSent(IClient* client, const BYTE* data, int length) override;
    ListenerResult OnReceivedLength(IClient* client, int length) override;
    ListenerResult OnReceive(IClient* client, const BYTE* data, int length) override;
    ListenerResult OnClose(IClient* client) override;
    ListenerResult OnError(IClient* client, SocketOperation operation, int errorCode) override;

private:
    void ResetBuffer();
    void ConnectionEnded();

    CCriticalSection m_bufferLock;  // the reply buffer, its searches and the error text
    evbuffer* m_buffer;
    // The reply is the text up to its first zero byte; each read searches only its own bytes.
    size_t m_textLength;
    bool m_textEnded;  // a zero byte arrived: nothing after it is part of the text
    CStreamTextSearch m_refusedSearch;
    CStreamTextSearch m_endSearch;
    CString m_errorText;
    std::atomic<bool> m_closed;
    CString m_host;
    USHORT m_port;
    CString m_loginRange;
    CTcpClient* m_client;
    CString m_userName;
    CString m_password;
    std::atomic<int> m_result;
    DWORD m_sendDelayMs;
};

// The program's one first-login object.
CLoginProcess& GetLoginProcess();
