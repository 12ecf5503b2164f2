#include "testsupport/FakeConnection.h"

#include "testsupport/Pump.h"

namespace tolvan::test {

namespace {

// How often the reader looks at requests from other threads while it waits for data.
const long kReaderSliceMicroseconds = 20 * 1000;

}  // namespace

FakeConnection::FakeConnection(SOCKET socket, size_t index) : m_index(index), m_socket(socket)
{
    BOOL noDelay = TRUE;
    setsockopt(m_socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof(noDelay));
    // A client that never reads must not hang the server thread for ever.
    DWORD sendTimeoutMs = 30000;
    setsockopt(m_socket, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendTimeoutMs),
               sizeof(sendTimeoutMs));
}

FakeConnection::~FakeConnection()
{
    Stop();
}

void FakeConnection::Start()
{
    m_reader = std::thread([this] { ReadLoop(); });
}

void FakeConnection::Stop()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stopRequested = true;
    }
    m_wake.notify_all();
    if (m_reader.joinable() && m_reader.get_id() != std::this_thread::get_id())
        m_reader.join();
    CloseSocket(false);
}

void FakeConnection::ReadLoop()
{
    char buffer[16 * 1024];
    for (;;) {
        {
            std::unique_lock<std::mutex> guard(m_lock);
            m_wake.wait(guard, [this] {
                return m_stopRequested || m_resetRequested || (!m_stalled && !m_peerClosed);
            });
            if (m_resetRequested) {
                guard.unlock();
                CloseSocket(true);
                return;
            }
            if (m_stopRequested)
                return;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_socket, &readable);
        timeval slice = {0, kReaderSliceMicroseconds};
        int ready = select(0, &readable, nullptr, nullptr, &slice);
        if (ready == 0)
            continue;
        int count = SOCKET_ERROR;
        ChunkHook hook;
        {
            // Checked under the lock so that no recv starts once Stall() returned.
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_stalled || m_stopRequested || m_resetRequested)
                continue;
            if (ready > 0)
                count = recv(m_socket, buffer, sizeof(buffer), 0);
            if (count > 0) {
                hook = m_chunkHook;
            } else {
                // End of stream or a broken connection: both end what the client sends.
                m_peerClosed = true;
                continue;
            }
        }
        const std::string chunk(buffer, static_cast<size_t>(count));
        // The hook sees the chunk before any wait can: what it records is in place when
        // a wait for these bytes returns.
        if (hook)
            hook(chunk);
        std::lock_guard<std::mutex> guard(m_lock);
        m_received += chunk;
    }
}

void FakeConnection::CloseSocket(bool abortive)
{
    std::lock_guard<std::mutex> sendGuard(m_sendLock);
    if (m_socket != INVALID_SOCKET) {
        if (abortive) {
            linger hard = {1, 0};
            setsockopt(m_socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard),
                       sizeof(hard));
        }
        closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }
    std::lock_guard<std::mutex> guard(m_lock);
    m_open = false;
}

bool FakeConnection::WaitUntilUnread(const std::function<size_t(const std::string&)>& match,
                                     std::string& out, DWORD timeoutMs)
{
    bool found = false;
    bool hopeless = false;
    PumpUntil(
        [&] {
            std::lock_guard<std::mutex> guard(m_lock);
            const std::string unread = m_received.substr(m_cursor);
            const size_t length = match(unread);
            if (length != std::string::npos) {
                out = unread.substr(0, length);
                m_cursor += length;
                found = true;
                return true;
            }
            // Nothing more can arrive.
            hopeless = m_peerClosed || !m_open || m_stopRequested || m_resetRequested;
            return hopeless;
        },
        timeoutMs);
    return found;
}

bool FakeConnection::WaitForText(const std::string& text, DWORD timeoutMs)
{
    std::string ignored;
    return ReadUntil(text, ignored, timeoutMs);
}

bool FakeConnection::ReadUntil(const std::string& delimiter, std::string& out, DWORD timeoutMs)
{
    return WaitUntilUnread(
        [&](const std::string& unread) {
            const size_t at = unread.find(delimiter);
            return at == std::string::npos ? at : at + delimiter.size();
        },
        out, timeoutMs);
}

bool FakeConnection::ReadExactly(size_t count, std::string& out, DWORD timeoutMs)
{
    return WaitUntilUnread(
        [&](const std::string& unread) {
            return unread.size() >= count ? count : std::string::npos;
        },
        out, timeoutMs);
}

bool FakeConnection::WaitForBytes(size_t total, DWORD timeoutMs) const
{
    bool enough = false;
    PumpUntil(
        [&] {
            std::lock_guard<std::mutex> guard(m_lock);
            enough = m_received.size() >= total;
            return enough || m_peerClosed || !m_open || m_stopRequested;
        },
        timeoutMs);
    return enough;
}

bool FakeConnection::WaitForPeerClose(DWORD timeoutMs) const
{
    bool closed = false;
    PumpUntil(
        [&] {
            std::lock_guard<std::mutex> guard(m_lock);
            closed = m_peerClosed;
            return closed || !m_open || m_stopRequested;
        },
        timeoutMs);
    return closed;
}

std::string FakeConnection::Received() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_received;
}

std::string FakeConnection::Unread() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_received.substr(m_cursor);
}

bool FakeConnection::PeerClosed() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_peerClosed;
}

bool FakeConnection::IsOpen() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_open && !m_resetRequested && !m_stopRequested;
}

bool FakeConnection::Send(const std::string& bytes)
{
    std::lock_guard<std::mutex> sendGuard(m_sendLock);
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_socket == INVALID_SOCKET || m_sendClosed || m_resetRequested || m_stopRequested)
            return false;
    }
    size_t sent = 0;
    while (sent < bytes.size()) {
        const size_t left = bytes.size() - sent;
        const int piece = left > 0x10000 ? 0x10000 : static_cast<int>(left);
        const int count = send(m_socket, bytes.data() + sent, piece, 0);
        if (count <= 0)
            return false;
        sent += static_cast<size_t>(count);
    }
    return true;
}

bool FakeConnection::SendPieces(const std::vector<std::string>& pieces)
{
    for (const std::string& piece : pieces) {
        if (!Send(piece))
            return false;
    }
    return true;
}

void FakeConnection::Close()
{
    std::lock_guard<std::mutex> sendGuard(m_sendLock);
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_socket != INVALID_SOCKET && !m_sendClosed)
        shutdown(m_socket, SD_SEND);
    m_sendClosed = true;
}

void FakeConnection::Reset()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_open)
            return;
        m_resetRequested = true;
    }
    m_wake.notify_all();
    if (std::this_thread::get_id() == m_reader.get_id()) {
        CloseSocket(true);
        return;
    }
    PumpUntil(
        [this] {
            std::lock_guard<std::mutex> guard(m_lock);
            return !m_open;
        },
        30000);
}

void FakeConnection::Stall()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_stalled = true;
}

void FakeConnection::Resume()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stalled = false;
    }
    m_wake.notify_all();
}

void FakeConnection::OnChunk(ChunkHook hook)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_chunkHook = std::move(hook);
}

}  // namespace tolvan::test
