#include "testsupport/FakeTimeServer.h"

namespace tolvan::test {

namespace {

// Seconds from 1900-01-01 to 1970-01-01: the protocol counts from 1900.
const long long kEpochFrom1900 = 2208988800LL;

std::string AnswerFor(struct tm localTime)
{
    localTime.tm_isdst = -1;
    const DWORD seconds = static_cast<DWORD>(mktime(&localTime) + kEpochFrom1900);
    return std::string{char(seconds >> 24), char(seconds >> 16), char(seconds >> 8), char(seconds)};
}

}  // namespace

FakeTimeServer::FakeTimeServer(struct tm localTime)
    : m_server([answer = AnswerFor(localTime)](std::shared_ptr<FakeConnection> connection) {
          connection->Send(answer);
          connection->Close();
      })
{
}

}  // namespace tolvan::test
