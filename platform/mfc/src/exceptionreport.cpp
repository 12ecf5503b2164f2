// CException::ReportError: the error text in a message box (through AfxMessageBox, so a
// message-box hook sees it like any other box).
#include "afxwin.h"

int CException::ReportError(UINT nType, UINT nMessageID)
{
    char message[512];
    if (GetErrorMessage(message, sizeof(message)) && message[0] != '\0')
        return AfxMessageBox(message, nType);
    if (nMessageID != 0)
        return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox("发生了未知错误。", nType);
}
