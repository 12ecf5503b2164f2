#include "LoginProcess.h"

#include "LoginServerAddress.h"
#include "Md5.h"
#include "SessionData.h"

#include <event2/buffer.h>

#include <string.h>

namespace {

const char kRefusedStatus[] = "loginresult@status:-1";
// The reply's server list ends with "&" and the record with "#@".
const char kReplyEnd[] = "&#@";

bool IsFinal(int result)
{
    return result == CLoginProcess::kResultAccepted || result < 0;
}

} // namespace

CLoginProcess::CLoginProcess()
    : m_buffer(evbuffer_new()), m_textLength(0), m_textEnded(false), m_refusedSearch(kRefusedStatus),
      m_endSearch(kReplyEnd), m_closed(false), m_port(0), m_client(NULL), m_result(kResultNone),
      m_sendDelayMs(1000)
{
    m_client = new CTcpClient(this);
}

CLoginProcess::~CLoginProcess()
{
    delete m_client;  // stops it; no event arrives after this
    if (m_buffer != NULL)
        evbuffer_free(m_buffer);
}

void CLoginProcess::SetServer(const CString& host, USHORT port, const CString& loginRange)
{
    m_host = host;
    m_port = port;
    m_loginRange = loginRange;
}

void CLoginProcess::SetUser(const CString& userName, const CString& password)
{
    m_userName = userName;
    m_password = password;
}

CString CLoginProcess::GetErrorText()
{
    CSingleLock lock(&m_bufferLock, TRUE);
    return m_errorText;
}

size_t CLoginProcess::GetPendingReplyBytes()
{
    CSingleLock lock(&m_bufferLock, TRUE);
    return m_buffer != NULL ? evbuffer_get_length(m_buffer) : 0;
}

CString CLoginProcess::BuildLoginRequest(const CString& userName, const CString& password, const CString& loginRange)
{
    CString request = "login@uName:" + userName + "#uPwd:" + Md5Hex(userName + Md5Hex(password));
    if (!loginRange.IsEmpty())
        request += "##uRange:" + loginRange;
    return request + "#@";
}

int CLoginProcess::SendLogin()
{
    m_result = kResultNone;
    if (m_userName.IsEmpty() || m_password.IsEmpty())
        return kSendMissingInput;
    {
        // Bytes of an earlier attempt's reply must not glue onto this one.
        CSingleLock lock(&m_bufferLock, TRUE);
        ResetBuffer();
        m_errorText.Empty();
    }
    m_closed = false;
    if (!m_client->Start(m_host, m_port, false))
        return kSendNoConnection;

    SetLoginServerAddress(m_host, m_port);
    CSessionData& session = GetSessionData();
    session.m_strUserName = m_userName;
    session.m_strLoginRange = m_loginRange;
    session.SetPassword(m_password);

    const CString request = BuildLoginRequest(m_userName, m_password, m_loginRange);
    if (m_sendDelayMs > 0)
        ::Sleep(m_sendDelayMs);
    if (!m_client->Send(reinterpret_cast<const BYTE*>((LPCSTR)request), request.GetLength()))
        return kSendFailed;
    return kSendOk;
}

// Called with the buffer lock held.
void CLoginProcess::ResetBuffer()
{
    if (m_buffer != NULL)
        evbuffer_free(m_buffer);
    m_buffer = evbuffer_new();
    m_textLength = 0;
    m_textEnded = false;
    m_refusedSearch.Reset();
    m_endSearch.Reset();
}

ListenerResult CLoginProcess::OnConnecting(IClient*, SOCKET)
{
    return ListenerResult::Ignore;
}

ListenerResult CLoginProcess::OnConnected(IClient*)
{
    m_result = kResultConnected;
    return ListenerResult::Ok;
}

ListenerResult CLoginProcess::OnSent(IClient*, const BYTE*, int)
{
    return ListenerResult::Ok;
}

ListenerResult CLoginProcess::OnReceivedLength(IClient*, int)
{
    return ListenerResult::Ignore;
}

ListenerResult CLoginProcess::OnReceive(IClient*, const BYTE* data, int length)
{
    if (data == NULL || length < 1)
    {
        m_result = kResultNetworkError;
        return ListenerResult::Ok;
    }
    // Once the attempt has its answer, what the server sends later is not part of it.
    if (IsFinal(m_result.load()))
        return ListenerResult::Ok;
    CSingleLock lock(&m_bufferLock, TRUE);
    if (m_buffer == NULL || evbuffer_add(m_buffer, data, (size_t)length) != 0 ||
        evbuffer_get_length(m_buffer) > kMaxReplyBytes)
    {
        // No login reply is this long: the server is sending something else.
        ResetBuffer();
        m_errorText = "服务器数据错误！";
        m_result = kResultServerDataError;
        return ListenerResult::Ok;
    }

    if (!m_textEnded)
    {
        // The reply is the text up to its first zero byte.
        const char* bytes = reinterpret_cast<const char*>(data);
        const size_t textBytes = strnlen(bytes, (size_t)length);
        m_textEnded = textBytes < (size_t)length;
        m_textLength += textBytes;
        m_refusedSearch.Add(bytes, textBytes);
        m_endSearch.Add(bytes, textBytes);
    }

    if (m_refusedSearch.IsFound())
    {
        ResetBuffer();
        m_result = kResultRefused;
    }
    else if (!m_endSearch.IsFound())
    {
        m_result = kResultIncomplete;  // keep the bytes; the rest follows
    }
    else
    {
        const char* bytes = reinterpret_cast<const char*>(evbuffer_pullup(m_buffer, -1));
        const CString text(bytes, (int)m_textLength);
        ResetBuffer();
        CString errorText;
        const int parsed = GetSessionData().ParseLoginResult(text, errorText);
        m_errorText = errorText;
        m_result = parsed;
    }
    return ListenerResult::Ok;
}

ListenerResult CLoginProcess::OnClose(IClient*)
{
    ConnectionEnded();
    return ListenerResult::Ok;
}

ListenerResult CLoginProcess::OnError(IClient*, SocketOperation, int)
{
    ConnectionEnded();
    return ListenerResult::Ok;
}

// A reset may read as an error or as a plain end of stream; either way a login still waiting
// for its answer has failed. A result already given stays.
void CLoginProcess::ConnectionEnded()
{
    int result = m_result.load();
    while (!IsFinal(result) && !m_result.compare_exchange_weak(result, kResultNetworkError))
    {
    }
    if (m_client->IsActive())
        m_client->Stop();
    m_closed = true;
}

CLoginProcess& GetLoginProcess()
{
    static CLoginProcess loginProcess;
    return loginProcess;
}
