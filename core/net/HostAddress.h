// Turning a server's address text into one IPv4 address and a port to connect to.
#pragma once
#include <afx.h>
#include <winsock2.h>
#include <vector>

// The address a client connects to among the IPv4 addresses of one host name (network byte
// order): the first loopback address (127.x.x.x), else the first private one (10/8,
// 172.16/12, 192.168/16), else the first one. False for an empty list.
bool ChoosePreferredAddress(const std::vector<in_addr>& candidates, in_addr& chosen);

// A dotted IPv4 text as it stands, or a host name resolved to its IPv4 addresses and chosen
// by ChoosePreferredAddress. False when the text names no IPv4 address.
bool ResolveServerAddress(LPCSTR host, in_addr& address);

// A port text: decimal digits only, 1 to 65535. False for anything else, so that no value
// is cut down to 16 bits ("70000" is not port 4464).
bool ParsePortText(LPCSTR text, USHORT& port);
