// The speed-sorted server list: "[ArrangeNetwork]", then one line per server,
// "<name>,<display>:<host>:<port>:<key>". A record keeps the display text (shown in the login
// window) and the address after it (what the login connects to).
#pragma once
#include <afx.h>
#include <string>
#include <vector>

struct ServerListRecord
{
    CString name;
    CString host;  // the text between "," and the first ":" after it (shown to the user)
    CString port;  // the rest: the address host:port:key
};

// Splits one line: name before the first ","; the rest at its first ":" into host and port.
// Without "," the name is empty and the whole line is the rest; without ":" the host is empty
// and the whole rest is the port.
ServerListRecord ParseServerListLine(const CString& line);

struct ServerList
{
    std::vector<ServerListRecord> records;
    std::vector<std::string> entries;  // record i's host text, for the login window

    // Where the remembered index points in this list: inside it, or 0 for any index outside
    // a non-empty list, -1 for an empty one.
    int ClampIndex(int remembered) const;
};

enum ServerListParseResult
{
    SERVER_LIST_OK,
    SERVER_LIST_EMPTY,      // no line at all
    SERVER_LIST_BAD_HEADER, // the first line is not "[ArrangeNetwork]"
    SERVER_LIST_DAMAGED,    // a server line is not of the form below
};

// A server line is "<name>,<display>:<host>:<port>" with an optional ":<key>": a display text
// and a host that are not empty, a decimal port from 1 to 65535 and no control characters.
// Anything else is damage, never read as some other server.
bool IsSoundServerLine(const CString& line);

// Reads a decrypted speed-sorted list. Empty lines are skipped for records and entries alike,
// so entry i and record i always name the same server. list is replaced only on SERVER_LIST_OK.
ServerListParseResult ParseArrangedServerList(const CString& text, ServerList& list);

// Reads a decrypted list as the installation writes it (the speed test's input): section lines
// "[...]" are skipped, every other non-empty line must be a sound server line. list is replaced
// only on SERVER_LIST_OK.
ServerListParseResult ParsePlainServerList(const CString& text, ServerList& list);

extern const char kArrangedListHeader[];  // "[ArrangeNetwork]"
