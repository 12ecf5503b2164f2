// One accepted connection of a FakeTcpServer, scripted by a test: wait for what the client
// sent, answer (whole or in pieces), close, reset, or stop reading. A reader thread keeps
// receiving in the background (unless stalled) so the client never blocks on a full
// window by accident. All waits pump the calling thread's messages.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tolvan::test {

class FakeConnection {
public:
    // Called on the reader thread with every chunk as recv() returned it, before the
    // chunk is visible to Received() and the waits.
    using ChunkHook = std::function<void(const std::string&)>;

    ~FakeConnection();
    FakeConnection(const FakeConnection&) = delete;
    FakeConnection& operator=(const FakeConnection&) = delete;

    // Position in the server's accept order, from 0.
    size_t Index() const { return m_index; }

    // Reading works on a cursor over everything received: the Read/Wait functions look
    // only past it and move it past what they return.
    // Waits until `text` was received and moves the cursor past it.
    bool WaitForText(const std::string& text, DWORD timeoutMs = 30000);
    // Returns in `out` everything up to and including `delimiter`.
    bool ReadUntil(const std::string& delimiter, std::string& out, DWORD timeoutMs = 30000);
    // Returns in `out` the next `count` bytes.
    bool ReadExactly(size_t count, std::string& out, DWORD timeoutMs = 30000);
    // Waits until at least `total` bytes were received on this connection in all.
    bool WaitForBytes(size_t total, DWORD timeoutMs = 30000) const;
    // Waits until the client closed its side (or the connection broke).
    bool WaitForPeerClose(DWORD timeoutMs = 30000) const;

    std::string Received() const;    // every byte so far
    std::string Unread() const;      // the bytes past the cursor
    bool PeerClosed() const;
    bool IsOpen() const;             // neither reset nor stopped

    // Sends all of `bytes` (TCP_NODELAY is set, each call leaves as its own segment).
    bool Send(const std::string& bytes);
    // Sends each piece with its own send() call. Nothing guarantees that the client
    // reads them apart; a test that needs that waits for the client between Send calls.
    bool SendPieces(const std::vector<std::string>& pieces);
    // Ends the sending side (the client reads end of stream); reading goes on.
    void Close();
    // Drops the connection abortively (the client sees a reset). Under Wine only a receive
    // pending when the reset arrives fails with WSAECONNRESET; later ones read an end of
    // stream, so code under test must treat both as a lost connection.
    void Reset();
    // Stops reading: what the client sends piles up in the socket buffers.
    void Stall();
    void Resume();

    void OnChunk(ChunkHook hook);

private:
    friend class FakeTcpServer;
    FakeConnection(SOCKET socket, size_t index);
    void Start();
    // Ends the reader thread and closes the socket (the server's shutdown).
    void Stop();
    void ReadLoop();
    void CloseSocket(bool abortive);
    bool WaitUntilUnread(const std::function<size_t(const std::string&)>& match,
                         std::string& out, DWORD timeoutMs);

    const size_t m_index;
    SOCKET m_socket;

    mutable std::mutex m_lock;
    std::condition_variable m_wake;   // for the reader thread
    std::string m_received;
    size_t m_cursor = 0;
    bool m_stalled = false;
    bool m_peerClosed = false;
    bool m_sendClosed = false;
    bool m_resetRequested = false;
    bool m_stopRequested = false;
    bool m_open = true;
    ChunkHook m_chunkHook;

    std::mutex m_sendLock;  // serializes send() and closing the socket
    std::thread m_reader;
};

}  // namespace tolvan::test
