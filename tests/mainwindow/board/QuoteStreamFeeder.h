// A quote server for measurements: on 127.0.0.1 it answers one quote connection's login,
// sends the contract list of its codes and then, on a thread of its own, ticks a given number
// of quotes a second in the simulator's tick shape ("[code][lP=..]@..." for last, bid, ask,
// sizes, volume, high and low; one message of the quotes due every few milliseconds).
//
// Every quote of a code carries a last price the code never had before (cents grow by one per
// quote), so a price seen on screen names the quote that brought it. For the watched codes the
// feeder keeps the moment each price was handed to the socket.
#pragma once

#include "testsupport/FakeTcpServer.h"

#include <afx.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class QuoteStreamFeeder
{
public:
    // Prices in cents: the first quote of a code has FIRST_CENTS + 1.
    enum { FIRST_CENTS = 1000, MAX_WATCHED_QUOTES = 16384 };

    QuoteStreamFeeder(const std::vector<CString>& codes, const std::vector<CString>& watched);
    ~QuoteStreamFeeder();
    QuoteStreamFeeder(const QuoteStreamFeeder&) = delete;
    QuoteStreamFeeder& operator=(const QuoteStreamFeeder&) = delete;

    unsigned short Port() const { return m_server.Port(); }
    // Takes the first connection, answers its login for userName and sends the contract list.
    // The caller must pump its messages meanwhile (the connection logs in from a thread).
    bool AcceptAndLogIn(const char* userName, DWORD timeoutMs);

    // Sends quotesPerSecond quotes a second, codes drawn at random, for the given time.
    void Start(int quotesPerSecond, double seconds);
    bool IsDone() const { return m_done; }
    void Join();

    // Quotes sent since the last Start.
    long long SentCount() const { return m_sent; }
    // The last price sent for the code at that position of the constructor's list (0: none).
    int LastCents(size_t code) const { return m_lastCents[code]; }
    // QueryPerformanceCounter reading when the quote of a watched code with this price was
    // sent; 0 when it was not.
    long long SendTimeOf(size_t watched, int cents) const;
    // Position of a code among the watched ones; -1 when not watched.
    int WatchedIndexOf(const CString& code) const;

private:
    void Run(int quotesPerSecond, double seconds);
    void AppendQuote(std::string& message, size_t code);
    std::string ContractList() const;

    tolvan::test::FakeTcpServer m_server;
    std::shared_ptr<tolvan::test::FakeConnection> m_connection;
    std::vector<CString> m_codes;
    std::vector<CString> m_watched;
    std::vector<int> m_watchedSlot;           // per code: its watched position or -1
    std::vector<int> m_lastCents;             // per code
    std::vector<long long> m_volume;          // per code
    std::unique_ptr<std::atomic<long long>[]> m_sendTimes;  // watched x MAX_WATCHED_QUOTES
    std::vector<size_t> m_dueWatched;         // watched quotes of the message being built
    std::vector<int> m_dueCents;
    std::atomic<long long> m_sent{0};
    std::atomic<bool> m_done{true};
    std::thread m_thread;
};
