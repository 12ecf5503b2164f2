// One connection to one server of the user's server lists (quote, depth, trading, query,
// proxy trading or proxy query). It owns a TCP client and listens to it, logs in on a login
// thread of its own, cuts the received bytes into messages and queues them, stamped with the
// server time, for the reply receiver of its session. Whenever the socket closes after a
// successful login it logs in again. It sends no window messages.
#pragma once
#include "ITcpClientListener.h"
#include "MessageFramer.h"
#include "NetMessage.h"
#include "ServerRecord.h"
#include "TcpClient.h"

#include <afxmt.h>
#include <atomic>
#include <vector>

class CNetwork : public ITcpClientListener
{
public:
    // Login state: the answer to the last login text.
    enum
    {
        kLoginWaiting = -1,
        kLoginRefused = 0,
        kLoginAccepted = 1,
    };

    // The waits of the login thread (every one of them ends at once on Disconnect).
    struct LoginTimings
    {
        DWORD retryPauseMs = 1000;          // before every attempt but the very first
        DWORD statePollMs = 100;            // checks for the client to be stopped
        DWORD connectWaitMs = 1000;         // for the connection to the own server
        DWORD answerWaitMs = 5000;          // for the answer to a login text
        DWORD answerPollMs = 10;
        DWORD fallbackPauseMs = 100;        // before every fall-back attempt
        DWORD fallbackConnectWaitMs = 5000; // for the connection to the login server
        DWORD fallbackSettleMs = 1000;      // between that connection and the login text
    };

    explicit CNetwork(const ServerRecord& server);
    ~CNetwork() override;
    CNetwork(const CNetwork&) = delete;
    CNetwork& operator=(const CNetwork&) = delete;

    // Starts the login thread unless the connection is already active.
    void Connect();
    // Stops the login thread (waking it from any wait) and then the client; nothing logs in
    // again until the next Connect. Returns true.
    bool Disconnect();

    // The connection's mark and login range, given by its session before the first Connect
    // and replaced by the answer to a fall-back login.
    void SetMark(const CString& mark);
    CString GetMark();
    void SetLoginRange(const CString& loginRange);
    CString GetLoginRange();
    // A copy of the server record (a fall-back login rewrites its address fields).
    ServerRecord GetServer();

    // The last message that held "loginresult@status:1".
    CString GetLoginReply();
    int GetLoginState() const { return m_loginState.load(); }
    bool IsActive() const { return m_active.load(); }
    bool IsLoginThreadRunning();

    // Queues a request text (its characters, no terminator) on the client; false when the
    // client is neither starting nor started.
    bool SendText(const CString& text);

    // What the reply receiver uses: the client's state, and the message queue under its lock.
    CTcpClient* GetClient() { return m_client; }
    ClientState GetClientState() { return m_client->GetState(); }
    CCriticalSection& GetQueueLock() { return m_queueLock; }
    std::vector<NetMessage>& GetMessageQueue() { return m_queue; }  // only under the queue lock
    // Moves every queued message, oldest first, into `messages` (emptied first).
    void TakeMessages(std::vector<NetMessage>& messages);
    size_t GetQueuedCount();
    // Received bytes that could not be a message since construction.
    size_t GetDroppedBytes();

    void SetLoginTimings(const LoginTimings& timings) { m_timings = timings; }

    // "20yymmdd HH:MM:SS".
    static CString FormatArrivalTime(const CTime& time);
    // "login@mark:<md5(md5(password) + mark + server login range)>#name:<user>#loginrange:<server login range>#@".
    static CString BuildMarkLogin(const CString& password, const CString& mark, const CString& user,
                                  const CString& serverLoginRange);
    // "login@uName:<user>#uPwd:<md5(user + md5(password))>#uContract:<server name>[#uRange:<range>]#@".
    static CString BuildFallbackLogin(const CString& user, const CString& password, const CString& serverName,
                                      const CString& loginRange);
    // Takes the mark, the login range and the address fields of the first listed server from
    // the answer to a fall-back login. False (nothing changed) for a reply without them or
    // with a port outside 1 to 65535.
    bool ParseLoginReply(const CString& reply);

    ListenerResult OnConnecting(IClient* client, SOCKET socket) override;
    ListenerResult OnConnected(IClient* client) override;
    ListenerResult OnSent(IClient* client, const BYTE* data, int length) override;
    ListenerResult OnReceivedLength(IClient* client, int length) override;
    ListenerResult OnReceive(IClient* client, const BYTE* data, int length) override;
    ListenerResult OnClose(IClient* client) override;
    ListenerResult OnError(IClient* client, SocketOperation operation, int errorCode) override;

private:
    enum class Outcome
    {
        Succeeded,
        Failed,
        Stopped,  // Disconnect woke the thread: leave at once
    };

    static unsigned __stdcall LoginThreadEntry(void* network);
    void LoginThread();
    Outcome FallbackLogin();
    Outcome StartClient(const CString& host, USHORT port, DWORD waitMs);
    Outcome SendLoginAndWait(const CString& text);
    bool WaitUntilStopped();
    bool Pause(DWORD milliseconds);
    void StopClient();
    bool FinishLoginThread(bool loggedIn);
    void StartLoginThreadLocked();
    void ConnectionLost();
    void NoteLoginResult(const CString& message);

    std::vector<NetMessage> m_queue;
    CCriticalSection m_threadLock;   // the login thread's handle and the re-login decision
    CCriticalSection m_queueLock;    // the message queue (shared with the reply receiver)
    CCriticalSection m_receiveLock;  // the framer
    CCriticalSection m_replyLock;    // the login reply, the mark, the login range, the server
    CString m_loginReply;
    std::atomic<bool> m_firstAttempt;
    std::atomic<bool> m_reLogin;     // a lost connection starts a login thread
    bool m_async;
    std::atomic<int> m_loginState;
    std::atomic<bool> m_run;         // the login thread may go on
    std::atomic<bool> m_active;      // between Connect and Disconnect
    bool m_lostDuringLogin;          // the client closed while a login thread ran (thread lock)
    CMessageFramer m_framer;
    // The current login thread, or the last one until it is joined (thread lock). A finished
    // thread does not close its own handle: whoever starts the next one, or Disconnect, waits
    // for it first, so the object never goes away under a thread that is still returning.
    HANDLE m_loginThread;
    bool m_loginRunning;             // a login thread has not finished (thread lock)
    HANDLE m_stopEvent;              // manual reset; set by Disconnect
    CTcpClient* m_client;
    ServerRecord m_server;
    CString m_loginRange;
    CString m_mark;
    LoginTimings m_timings;
};
