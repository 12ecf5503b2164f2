#include "QuoteStreamFeeder.h"

#include <stdio.h>

#include <algorithm>
#include <random>

namespace {

const DWORD kSendEveryMs = 5;

long long Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Frequency()
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart);
}

void AppendPrice(std::string& out, const char* key, const char* code, int cents)
{
    char field[96];
    snprintf(field, sizeof(field), "[%s][%s=%d.%02d]@", code, key, cents / 100, cents % 100);
    out += field;
}

void AppendNumber(std::string& out, const char* key, const char* code, long long value)
{
    char field[96];
    snprintf(field, sizeof(field), "[%s][%s=%lld]@", code, key, value);
    out += field;
}

}  // namespace

QuoteStreamFeeder::QuoteStreamFeeder(const std::vector<CString>& codes, const std::vector<CString>& watched)
    : m_codes(codes), m_watched(watched), m_watchedSlot(codes.size(), -1), m_lastCents(codes.size(), 0),
      m_volume(codes.size(), 100000),
      m_sendTimes(new std::atomic<long long>[watched.size() * MAX_WATCHED_QUOTES])
{
    for (size_t slot = 0; slot < watched.size() * MAX_WATCHED_QUOTES; ++slot)
        m_sendTimes[slot] = 0;
    for (size_t code = 0; code < codes.size(); ++code)
        m_watchedSlot[code] = WatchedIndexOf(codes[code]);
}

QuoteStreamFeeder::~QuoteStreamFeeder()
{
    Join();
}

int QuoteStreamFeeder::WatchedIndexOf(const CString& code) const
{
    for (size_t index = 0; index < m_watched.size(); ++index)
        if (m_watched[index] == code)
            return static_cast<int>(index);
    return -1;
}

long long QuoteStreamFeeder::SendTimeOf(size_t watched, int cents) const
{
    const int quote = cents - FIRST_CENTS;
    if (watched >= m_watched.size() || quote <= 0 || quote >= MAX_WATCHED_QUOTES)
        return 0;
    return m_sendTimes[watched * MAX_WATCHED_QUOTES + quote];
}

std::string QuoteStreamFeeder::ContractList() const
{
    std::string list = "contractlist@[contractlist|BENCH|基准-SIM]";
    for (const CString& code : m_codes)
        list += "[" + std::string(code) + "|测试合约|2|SIM]";
    return list + "#@";
}

bool QuoteStreamFeeder::AcceptAndLogIn(const char* userName, DWORD timeoutMs)
{
    m_connection = m_server.WaitForConnection(timeoutMs);
    if (m_connection == nullptr || !m_connection->WaitForText("#@", timeoutMs))
        return false;
    m_connection->Send(std::string("loginresult@status:1#name:") + userName
                       + "#opentime:00:00#stoptime:24:00#@");
    // Quote servers send the contract list with a length prefix.
    const std::string list = ContractList();
    return m_connection->Send("^^" + std::to_string(list.size()) + "~~" + list);
}

void QuoteStreamFeeder::Start(int quotesPerSecond, double seconds)
{
    Join();
    m_sent = 0;
    m_done = false;
    m_thread = std::thread([this, quotesPerSecond, seconds] { Run(quotesPerSecond, seconds); });
}

void QuoteStreamFeeder::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void QuoteStreamFeeder::AppendQuote(std::string& message, size_t code)
{
    int& last = m_lastCents[code];
    last = (last == 0 ? static_cast<int>(FIRST_CENTS) : last) + 1;
    const int cents = last;
    m_volume[code] += 10;
    const char* text = m_codes[code].GetString();
    AppendPrice(message, "lP", text, cents);
    AppendPrice(message, "bP", text, cents - 1);
    AppendPrice(message, "aP", text, cents + 1);
    AppendNumber(message, "bS", text, 100 + cents % 50);
    AppendNumber(message, "aS", text, 200 + cents % 70);
    AppendNumber(message, "volume", text, m_volume[code]);
    AppendPrice(message, "highPrice", text, cents + 5);
    AppendPrice(message, "lowPrice", text, FIRST_CENTS);
    if (m_watchedSlot[code] >= 0) {
        m_dueWatched.push_back(static_cast<size_t>(m_watchedSlot[code]));
        m_dueCents.push_back(cents);
    }
}

// The quotes due by the clock go out together every few milliseconds, as a server that
// collects its ticks for a moment would send them.
void QuoteStreamFeeder::Run(int quotesPerSecond, double seconds)
{
    std::mt19937 random(static_cast<unsigned>(Now()));
    std::uniform_int_distribution<size_t> pick(0, m_codes.size() - 1);
    const double frequency = Frequency();
    const long long start = Now();
    const long long total = static_cast<long long>(quotesPerSecond * seconds);
    std::string message;
    while (m_sent < total && m_connection->IsOpen()) {
        const double elapsed = (Now() - start) / frequency;
        const long long due = std::min(total, static_cast<long long>(elapsed * quotesPerSecond));
        if (due > m_sent) {
            message.clear();
            m_dueWatched.clear();
            m_dueCents.clear();
            for (long long quote = m_sent; quote < due; ++quote)
                AppendQuote(message, pick(random));
            message += "#@";
            const long long sendTime = Now();
            for (size_t at = 0; at < m_dueWatched.size(); ++at) {
                const int quote = m_dueCents[at] - FIRST_CENTS;
                if (quote < MAX_WATCHED_QUOTES)
                    m_sendTimes[m_dueWatched[at] * MAX_WATCHED_QUOTES + quote] = sendTime;
            }
            m_connection->Send(message);
            m_sent = due;
        }
        ::Sleep(kSendEveryMs);
    }
    m_done = true;
}
