// One framed message of a server connection, stamped with the server time of its arrival.
#pragma once
#include <afx.h>

struct NetMessage
{
    CString strTime;  // "20yymmdd HH:MM:SS"
    CString strText;  // the message: a text with its "#@", or a length-prefixed frame's payload
};
