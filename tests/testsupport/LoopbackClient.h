// A plain blocking client socket for talking to the fake servers the way a program would.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>

namespace tolvan::test {

class LoopbackClient {
public:
    explicit LoopbackClient(unsigned short port)
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        // Bounds every blocking receive so a broken server fails the test, not hangs it.
        DWORD timeoutMs = 30000;
        setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs),
                   sizeof(timeoutMs));
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        m_connected =
            connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~LoopbackClient()
    {
        if (m_socket != INVALID_SOCKET)
            closesocket(m_socket);
        WSACleanup();
    }
    LoopbackClient(const LoopbackClient&) = delete;
    LoopbackClient& operator=(const LoopbackClient&) = delete;

    bool Connected() const { return m_connected; }
    SOCKET Socket() const { return m_socket; }

    bool Send(const std::string& bytes)
    {
        return send(m_socket, bytes.data(), static_cast<int>(bytes.size()), 0) ==
               static_cast<int>(bytes.size());
    }

    // Receives until `text` is among the received bytes; false on end, error or timeout.
    bool ReceiveUntil(const std::string& text)
    {
        while (m_received.find(text) == std::string::npos) {
            if (ReceiveOnce() <= 0)
                return false;
        }
        return true;
    }

    // Receives until the server ends the stream; returns the last recv() result
    // (0 for an orderly end, SOCKET_ERROR for a reset or timeout).
    int ReceiveToEnd()
    {
        int result;
        while ((result = ReceiveOnce()) > 0) {
        }
        return result;
    }

    // One recv(); appends what came and returns recv()'s result.
    int ReceiveOnce()
    {
        char buffer[4096];
        const int count = recv(m_socket, buffer, sizeof(buffer), 0);
        if (count > 0)
            m_received.append(buffer, static_cast<size_t>(count));
        else
            m_lastError = count < 0 ? WSAGetLastError() : 0;
        return count;
    }

    // Starts a receive that stays pending until data, an end or a reset arrives. Under Wine
    // a reset shows only in a receive pending when it comes (a later one reads an end of
    // stream), so a test that checks for a reset starts this before causing it.
    bool StartPendingReceive()
    {
        m_pending = WSAOVERLAPPED{};
        m_pending.hEvent = WSACreateEvent();
        m_pendingBuffer.buf = m_pendingBytes;
        m_pendingBuffer.len = sizeof(m_pendingBytes);
        DWORD flags = 0;
        const int result = WSARecv(m_socket, &m_pendingBuffer, 1, nullptr, &flags, &m_pending, nullptr);
        return result == 0 || WSAGetLastError() == WSA_IO_PENDING;
    }

    // Waits for the receive StartPendingReceive began; returns like ReceiveOnce().
    int FinishPendingReceive()
    {
        int result = SOCKET_ERROR;
        DWORD count = 0;
        DWORD flags = 0;
        if (WaitForSingleObject(m_pending.hEvent, 30000) != WAIT_OBJECT_0) {
            m_lastError = WSAETIMEDOUT;
            CancelIo(reinterpret_cast<HANDLE>(m_socket));
        } else if (WSAGetOverlappedResult(m_socket, &m_pending, &count, FALSE, &flags)) {
            m_received.append(m_pendingBytes, count);
            m_lastError = 0;
            result = static_cast<int>(count);
        } else {
            m_lastError = WSAGetLastError();
        }
        WSACloseEvent(m_pending.hEvent);
        m_pending.hEvent = NULL;
        return result;
    }

    const std::string& Received() const { return m_received; }
    int LastError() const { return m_lastError; }

    void ShutdownSending() { shutdown(m_socket, SD_SEND); }

private:
    SOCKET m_socket = INVALID_SOCKET;
    bool m_connected = false;
    std::string m_received;
    int m_lastError = 0;
    WSAOVERLAPPED m_pending = {};
    WSABUF m_pendingBuffer = {};
    char m_pendingBytes[4096];
};

}  // namespace tolvan::test
