// A time server of the RFC 868 kind on loopback: every connection gets the four bytes of one
// fixed moment and is closed. The terminal's clock companion asks such a server, so a test
// that points the companion here decides what time the terminal believes it is.
#pragma once

#include "testsupport/FakeTcpServer.h"

#include <time.h>

#include <string>

namespace tolvan::test {

class FakeTimeServer {
public:
    // Answers with the given local time (as mktime reads it).
    explicit FakeTimeServer(struct tm localTime);

    std::string Address() const { return m_server.Address(); }

private:
    FakeTcpServer m_server;
};

}  // namespace tolvan::test
