// One framed message of a server connection, stamped with the server time of its arrival.
#pragma once
#include <afx.h>

struct NetMessage
{
    CString strTime;  // "20yymmdd HH:MM:SS"
    CString strText;  // the message: a text with its "#@", or a length-prefixed frame's payload
    // Which of the client's connections brought it (CNetwork::GetConnectionNumber): a message
    // of a later number than the last one seen tells that the connection went in between,
    // however quickly it came back.
    long connection = 0;
};
