#include "Network.h"

#include "HostAddress.h"
#include "LoginServerAddress.h"
#include "Md5.h"
#include "ServerClock.h"
#include "SessionData.h"
#include "TextHelpers.h"

#include <process.h>
#include <stdlib.h>

namespace {

const char kAcceptedStatus[] = "loginresult@status:1";
const char kRefusedStatus[] = "loginresult@status:-1";

bool Elapsed(DWORD since, DWORD milliseconds)
{
    return ::GetTickCount() - since >= milliseconds;
}

} // namespace

CNetwork::CNetwork(const ServerRecord& server)
    : m_firstAttempt(true), m_reLogin(true), m_async(true), m_loginState(kLoginWaiting), m_run(true),
      m_active(false), m_lostDuringLogin(false), m_loginThread(NULL), m_loginRunning(false),
      m_stopEvent(::CreateEventA(NULL, TRUE, FALSE, NULL)), m_client(NULL), m_server(server)
{
    m_client = new CTcpClient(this);
}

CNetwork::~CNetwork()
{
    Disconnect();
    delete m_client;
    {
        CSingleLock lock(&m_queueLock, TRUE);
        m_queue.clear();
    }
    ::CloseHandle(m_stopEvent);
}

// ---------------------------------------------------------------------------------------
// Connect and disconnect

void CNetwork::Connect()
{
    if (m_active.exchange(true))
        return;
    ::ResetEvent(m_stopEvent);
    CSingleLock lock(&m_threadLock, TRUE);
    m_reLogin = true;
    m_run = true;
    if (!m_loginRunning && m_reLogin)
        StartLoginThreadLocked();
}

bool CNetwork::Disconnect()
{
    if (m_active.exchange(false))
    {
        HANDLE thread;
        {
            // Under the lock, so an ending login thread cannot grant a re-login afterwards.
            CSingleLock lock(&m_threadLock, TRUE);
            m_reLogin = false;
            m_run = false;
            ::SetEvent(m_stopEvent);
            thread = m_loginThread;
            m_loginThread = NULL;
            m_loginRunning = false;
        }
        // Every wait of the login thread watches the stop event, so it ends promptly; it is
        // never killed (it may hold the client's or the heap's locks). A connect of the
        // fall-back login does not watch the event: stopping the client ends it, again while
        // the thread may still be starting one before it sees the stop.
        if (thread != NULL)
        {
            while (::WaitForSingleObject(thread, 0) == WAIT_TIMEOUT)
            {
                StopClient();
                ::WaitForSingleObject(thread, 20);
            }
            ::CloseHandle(thread);
        }
    }
    // Last: the OnClose this raises finds the re-login flag clear.
    StopClient();
    return true;
}

// Called with the thread lock held.
void CNetwork::StartLoginThreadLocked()
{
    if (m_loginThread != NULL)
    {
        // The last thread has finished its work and is only returning.
        ::WaitForSingleObject(m_loginThread, INFINITE);
        ::CloseHandle(m_loginThread);
        m_loginThread = NULL;
    }
    m_reLogin = false;
    m_loginThread = (HANDLE)::_beginthreadex(NULL, 0, &CNetwork::LoginThreadEntry, this, 0, NULL);
    if (m_loginThread == NULL)
    {
        m_reLogin = true;  // let the next close try again
        return;
    }
    m_loginRunning = true;
}

bool CNetwork::IsLoginThreadRunning()
{
    CSingleLock lock(&m_threadLock, TRUE);
    return m_loginRunning;
}

// ---------------------------------------------------------------------------------------
// Login thread

unsigned __stdcall CNetwork::LoginThreadEntry(void* network)
{
    static_cast<CNetwork*>(network)->LoginThread();
    return 0;
}

void CNetwork::LoginThread()
{
    bool firstAttempt = m_firstAttempt.exchange(false);
    while (m_run)
    {
        StopClient();
        if (!firstAttempt && Pause(m_timings.retryPauseMs))
            return;
        firstAttempt = false;
        if (!m_run)
            break;
        if (!WaitUntilStopped())
            return;

        const ServerRecord server = GetServer();
        // A port that no connection can use is not retried: the login server names the
        // server anew in its reply to the fall-back login.
        USHORT port = 0;
        if (ParsePortText(server.GetPort(), port))
        {
            Outcome outcome = StartClient(server.GetHost(), port, m_timings.connectWaitMs);
            if (outcome == Outcome::Stopped)
                return;
            if (outcome == Outcome::Failed)
                continue;

            CSessionData& session = GetSessionData();
            outcome = SendLoginAndWait(BuildMarkLogin(session.GetPassword(), GetMark(), session.m_strUserName,
                                                      server.GetField(ServerRecord::kLoginRange)));
            if (outcome == Outcome::Stopped)
                return;
            if (outcome == Outcome::Succeeded && m_client->GetState() == ClientState::Started &&
                FinishLoginThread(true))
                return;
        }

        const Outcome outcome = FallbackLogin();
        if (outcome != Outcome::Failed)
            return;
        break;
    }
    FinishLoginThread(false);
}

// A fresh user login on the login server, repeated until one is accepted.
CNetwork::Outcome CNetwork::FallbackLogin()
{
    while (m_run)
    {
        StopClient();
        if (Pause(m_timings.fallbackPauseMs) || !WaitUntilStopped())
            return Outcome::Stopped;
        CString host;
        USHORT port = 0;
        if (!GetLoginServerAddress(host, port))
            continue;
        Outcome outcome = StartClient(host, port, m_timings.fallbackConnectWaitMs);
        if (outcome == Outcome::Stopped)
            return outcome;
        if (outcome == Outcome::Failed)
            continue;
        if (Pause(m_timings.fallbackSettleMs))
            return Outcome::Stopped;

        CSessionData& session = GetSessionData();
        const ServerRecord server = GetServer();
        outcome = SendLoginAndWait(BuildFallbackLogin(session.m_strUserName, session.GetPassword(),
                                                      server.GetName(), session.m_strLoginRange));
        if (outcome == Outcome::Stopped)
            return outcome;
        if (outcome == Outcome::Succeeded && ParseLoginReply(GetLoginReply()) && FinishLoginThread(true))
            return Outcome::Succeeded;
    }
    return Outcome::Failed;
}

// Starts the client and waits until it is connected.
CNetwork::Outcome CNetwork::StartClient(const CString& host, USHORT port, DWORD waitMs)
{
    {
        CSingleLock lock(&m_threadLock, TRUE);
        m_lostDuringLogin = false;
    }
    {
        // A new connection is a new stream: bytes left from the last one cannot continue it.
        CSingleLock lock(&m_receiveLock, TRUE);
        m_framer.Reset();
    }
    if (!m_client->Start(host, port, m_async))
        return Outcome::Failed;
    const DWORD since = ::GetTickCount();
    for (;;)
    {
        const ClientState state = m_client->GetState();
        if (state == ClientState::Started)
            return Outcome::Succeeded;
        if (state != ClientState::Starting || Elapsed(since, waitMs))
            return Outcome::Failed;
        if (Pause(10))
            return Outcome::Stopped;
    }
}

CNetwork::Outcome CNetwork::SendLoginAndWait(const CString& text)
{
    m_loginState = kLoginWaiting;
    if (!SendText(text))
        return Outcome::Failed;
    const DWORD since = ::GetTickCount();
    while (m_loginState.load() == kLoginWaiting && !Elapsed(since, m_timings.answerWaitMs))
        if (Pause(m_timings.answerPollMs))
            return Outcome::Stopped;
    return m_loginState.load() == kLoginAccepted ? Outcome::Succeeded : Outcome::Failed;
}

bool CNetwork::WaitUntilStopped()
{
    while (m_client->GetState() != ClientState::Stopped)
        if (Pause(m_timings.statePollMs))
            return false;
    return true;
}

bool CNetwork::Pause(DWORD milliseconds)
{
    return ::WaitForSingleObject(m_stopEvent, milliseconds) == WAIT_OBJECT_0;
}

void CNetwork::StopClient()
{
    if (m_client->IsActive())
        m_client->Stop();
}

// The login thread's end: the next lost connection may start a new login. False, with nothing changed, when the connection closed while the login completed:
// nobody else would log in again, so the thread carries on.
bool CNetwork::FinishLoginThread(bool loggedIn)
{
    CSingleLock lock(&m_threadLock, TRUE);
    if (loggedIn && m_lostDuringLogin)
        return false;
    m_loginRunning = false;
    if (m_run)
        m_reLogin = true;
    return true;
}

// ---------------------------------------------------------------------------------------
// Login texts and replies

CString CNetwork::BuildMarkLogin(const CString& password, const CString& mark, const CString& user,
                                 const CString& serverLoginRange)
{
    const CString digest = Md5Hex(Md5Hex(password) + mark + serverLoginRange);
    return "login@mark:" + digest + "#name:" + user + "#loginrange:" + serverLoginRange + "#@";
}

CString CNetwork::BuildFallbackLogin(const CString& user, const CString& password, const CString& serverName,
                                     const CString& loginRange)
{
    CString text = "login@uName:" + user + "#uPwd:" + Md5Hex(user + Md5Hex(password)) + "#uContract:" + serverName;
    if (!loginRange.IsEmpty())
        text += "#uRange:" + loginRange;
    return text + "#@";
}

bool CNetwork::ParseLoginReply(const CString& reply)
{
    const int at = reply.Find('@');
    if (at < 0)
        return false;
    CStringArray fields;
    SplitString(fields, reply.Mid(at + 1), "#", true, true);
    if (fields.GetSize() < 7)
        return false;

    CString mark, loginRange, serverList;
    bool hasMark = false, hasLoginRange = false;
    for (INT_PTR i = 1; i < fields.GetSize(); ++i)
    {
        const CString prefixed = "#" + fields[i];
        if (prefixed.Find("#mark:") == 0)
        {
            mark = prefixed.Mid(6);
            hasMark = true;
        }
        else if (prefixed.Find("#loginrange:") == 0)
        {
            loginRange = prefixed.Mid(12);
            hasLoginRange = true;
        }
        else if (prefixed.Find("#markserver:") == 0)
        {
            serverList = prefixed.Mid(12);
        }
    }

    // The first listed server is the one this connection now stands for.
    const int entryEnd = serverList.Find('&');
    const CString firstEntry = entryEnd >= 0 ? serverList.Left(entryEnd) : serverList;
    CStringArray entry;
    SplitString(entry, firstEntry, "|", true, true);
    USHORT port = 0;
    if (entry.GetSize() < 10 || !ParsePortText(entry[ServerRecord::kPort], port))
        return false;

    CSingleLock lock(&m_replyLock, TRUE);
    if (hasMark)
        m_mark = mark;
    if (hasLoginRange)
        m_loginRange = loginRange;
    for (int field = 2; field <= 9; ++field)
        m_server.m_strFields[field] = entry[field];
    if (atoi(m_server.m_strFields[ServerRecord::kType]) == 1)
    {
        m_server.m_strFields[ServerRecord::kOpenTime] = "06:00";
        m_server.m_strFields[ServerRecord::kCloseTime] = "24:00";
    }
    return true;
}

CString CNetwork::FormatArrivalTime(const CTime& time)
{
    return time.Format("20%y%m%d %H:%M:%S");
}

// ---------------------------------------------------------------------------------------
// Accessors

void CNetwork::SetMark(const CString& mark)
{
    CSingleLock lock(&m_replyLock, TRUE);
    m_mark = mark;
}

CString CNetwork::GetMark()
{
    CSingleLock lock(&m_replyLock, TRUE);
    return m_mark;
}

void CNetwork::SetLoginRange(const CString& loginRange)
{
    CSingleLock lock(&m_replyLock, TRUE);
    m_loginRange = loginRange;
}

CString CNetwork::GetLoginRange()
{
    CSingleLock lock(&m_replyLock, TRUE);
    return m_loginRange;
}

ServerRecord CNetwork::GetServer()
{
    CSingleLock lock(&m_replyLock, TRUE);
    return m_server;
}

CString CNetwork::GetLoginReply()
{
    CSingleLock lock(&m_replyLock, TRUE);
    return m_loginReply;
}

bool CNetwork::SendText(const CString& text)
{
    return m_client->Send(reinterpret_cast<const BYTE*>((LPCSTR)text), text.GetLength());
}

void CNetwork::TakeMessages(std::vector<NetMessage>& messages)
{
    messages.clear();
    CSingleLock lock(&m_queueLock, TRUE);
    messages.swap(m_queue);
}

size_t CNetwork::GetQueuedCount()
{
    CSingleLock lock(&m_queueLock, TRUE);
    return m_queue.size();
}

size_t CNetwork::GetDroppedBytes()
{
    CSingleLock lock(&m_receiveLock, TRUE);
    return m_framer.GetDroppedBytes();
}

// ---------------------------------------------------------------------------------------
// Client events

ListenerResult CNetwork::OnConnecting(IClient*, SOCKET)
{
    return ListenerResult::Ignore;
}

ListenerResult CNetwork::OnConnected(IClient*)
{
    return ListenerResult::Ok;
}

ListenerResult CNetwork::OnSent(IClient*, const BYTE*, int)
{
    return ListenerResult::Ignore;
}

ListenerResult CNetwork::OnReceivedLength(IClient*, int)
{
    return ListenerResult::Ignore;
}

ListenerResult CNetwork::OnReceive(IClient*, const BYTE* data, int length)
{
    if (data == NULL || length < 1)
        return ListenerResult::Ok;
    const CString arrival = FormatArrivalTime(GetServerTime());
    std::vector<CString> messages;
    // Lock order: receive buffer, then queue, then login reply.
    CSingleLock receiveLock(&m_receiveLock, TRUE);
    m_framer.Append(reinterpret_cast<const char*>(data), (size_t)length, messages);
    for (const CString& text : messages)
    {
        {
            CSingleLock queueLock(&m_queueLock, TRUE);
            NetMessage message;
            message.strTime = arrival;
            message.strText = text;
            m_queue.push_back(message);
        }
        NoteLoginResult(text);
    }
    return ListenerResult::Ok;
}

void CNetwork::NoteLoginResult(const CString& message)
{
    if (message.Find(kRefusedStatus) >= 0)
    {
        m_loginState = kLoginRefused;
    }
    else if (message.Find(kAcceptedStatus) >= 0)
    {
        {
            CSingleLock lock(&m_replyLock, TRUE);
            m_loginReply = message;
        }
        m_loginState = kLoginAccepted;
    }
}

ListenerResult CNetwork::OnClose(IClient*)
{
    ConnectionLost();
    return ListenerResult::Ok;
}

ListenerResult CNetwork::OnError(IClient*, SocketOperation, int)
{
    // A reset shows as an error or as a plain end of stream, depending on when it is read:
    // both are a lost connection.
    ConnectionLost();
    return ListenerResult::Ok;
}

void CNetwork::ConnectionLost()
{
    CSingleLock lock(&m_threadLock, TRUE);
    if (m_loginRunning)
        m_lostDuringLogin = true;
    else if (m_reLogin)
        StartLoginThreadLocked();
}
