#include "ServerSession.h"

#include <stdlib.h>

#include "Md5.h"
#include "Network.h"
#include "SessionData.h"

CServerSession::CServerSession()
    : m_nPort(0), m_pConnection(NULL)
{
}

CServerSession::~CServerSession()
{
    Close();
}

int CServerSession::Open(const ServerRecord& server, bool connect)
{
    return Open(server, connect, GetSessionData());
}

int CServerSession::Open(const ServerRecord& server, bool connect, CSessionData& sessionData)
{
    Close();
    m_strName = server.GetName();
    m_strType = server.GetTypeText();
    m_strHost = server.GetHost();
    m_nPort = atoi(server.GetPort());
    m_pConnection = new CNetwork(server);
    m_pConnection->SetLoginRange(sessionData.m_strReplyLoginRange);
    m_pConnection->SetMark(sessionData.m_strMark);
    if (connect)
        m_pConnection->Connect();
    return 0;
}

void CServerSession::Close()
{
    if (m_pConnection == NULL)
        return;
    m_pConnection->Disconnect();
    delete m_pConnection;
    m_pConnection = NULL;
}

bool CServerSession::HoldsDelimiter(const CString& field)
{
    // The protocol has no escaping: these characters end a field, a value or a request.
    return field.FindOneOf("|#@") >= 0;
}

bool CServerSession::IsOrderAcceptable(const OrderRequest& request)
{
    return !HoldsDelimiter(request.code) && !HoldsDelimiter(request.price) &&
           !HoldsDelimiter(request.quantity) && !HoldsDelimiter(request.side) &&
           !HoldsDelimiter(request.orderType) && !HoldsDelimiter(request.clientRef);
}

CString CServerSession::FormatOrder(LPCSTR command, const OrderRequest& request)
{
    CString text;
    text.Format("%s%s|%s|%s|%s|%s|%s|", command, (LPCSTR)request.code, (LPCSTR)request.price,
                (LPCSTR)request.quantity, (LPCSTR)request.side, (LPCSTR)request.orderType,
                (LPCSTR)request.clientRef);
    return text;
}

int CServerSession::SendText(const CString& text)
{
    if (m_pConnection == NULL)
        return SEND_NO_CONNECTION;
    if (!m_pConnection->GetClient()->Send((const BYTE*)(LPCSTR)text, text.GetLength()))
        return SEND_FAILED;
    return SEND_OK;
}

int CServerSession::SendNewOrder(const OrderRequest& request)
{
    if (m_pConnection == NULL)
        return SEND_NO_CONNECTION;
    if (!IsOrderAcceptable(request))
        return SEND_BAD_ARGUMENT;
    return SendText(FormatOrder("neworder@", request));
}

int CServerSession::SendPreNewOrder(const OrderRequest& request)
{
    if (m_pConnection == NULL)
        return SEND_NO_CONNECTION;
    if (!IsOrderAcceptable(request))
        return SEND_BAD_ARGUMENT;
    return SendText(FormatOrder("preneworder@", request));
}

int CServerSession::SendCancelOrder(const CString& orderId)
{
    if (m_pConnection == NULL)
        return SEND_NO_CONNECTION;
    if (orderId.IsEmpty() || HoldsDelimiter(orderId))
        return SEND_BAD_ARGUMENT;
    return SendText("cancleorder@" + orderId);
}

int CServerSession::QueryStateOrders(int kind)
{
    CString text;
    text.Format("querystateorders@%d#", kind);
    return SendText(text);
}

int CServerSession::QueryDateOrders(int kind, const CString& startDate, const CString& endDate,
                                    int requestNumber)
{
    if (m_pConnection == NULL)
        return SEND_NO_CONNECTION;
    if (requestNumber < 0 || HoldsDelimiter(startDate) || HoldsDelimiter(endDate))
        return SEND_BAD_ARGUMENT;
    CString text;
    text.Format("querydateorders@%d#%s#%s#%d#", kind, (LPCSTR)startDate, (LPCSTR)endDate, requestNumber);
    return SendText(text);
}

int CServerSession::QueryPosition()
{
    return SendText("queryposition@");
}

int CServerSession::QuerySummary()
{
    return SendText("querysummary@");
}

int CServerSession::EditPassword(const CString& currentPassword, const CString& newPassword)
{
    return SendText("editpwd@" + Md5Hex(currentPassword) + "#" + Md5Hex(newPassword) + "#");
}

int CServerSession::SendRaw(const char* bytes, int length)
{
    if (m_pConnection == NULL)
        return SEND_NO_CONNECTION;
    return m_pConnection->GetClient()->Send((const BYTE*)bytes, length) ? 1 : 0;
}
