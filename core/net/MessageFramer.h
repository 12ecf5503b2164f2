// Cuts a server's byte stream into messages. Two framings arrive on one connection:
//   text ending in "#@"                      -> the message is the text with its "#@";
//   "^^", a decimal length, "~~", payload     -> the message is the payload.
// Bytes are kept until a message is complete, across any number of reads, so a record or a
// frame header cut anywhere (even between the two "^") is put together again. What cannot be
// a message is dropped and counted: a malformed length field (with the bytes up to it) and,
// past the size cap, unterminated text.
#pragma once
#include <afx.h>
#include <vector>

struct evbuffer;

class CMessageFramer
{
public:
    // Largest payload of a length-prefixed frame, and largest unterminated text kept.
    static const size_t kDefaultMaxMessageBytes = 16 * 1024 * 1024;
    // Digits of the largest length field accepted ("16777216" has eight).
    static const int kMaxLengthDigits = 9;

    explicit CMessageFramer(size_t maxMessageBytes = kDefaultMaxMessageBytes);
    ~CMessageFramer();
    CMessageFramer(const CMessageFramer&) = delete;
    CMessageFramer& operator=(const CMessageFramer&) = delete;

    // Adds received bytes and appends every message completed by them to `messages`, oldest
    // first. Not locked: the owner serialises the calls.
    void Append(const char* data, size_t length, std::vector<CString>& messages);

    // Bytes kept for the next call.
    size_t GetPendingBytes() const;
    // Bytes dropped as unusable since construction, and the number of times it happened.
    size_t GetDroppedBytes() const { return m_droppedBytes; }
    int GetDropCount() const { return m_dropCount; }
    // Forgets the kept bytes (a new connection starts a new stream).
    void Reset();

private:
    enum class Step
    {
        Message,   // a frame was taken off the buffer
        Dropped,   // bytes that cannot be a frame were dropped; look again
        Wait,      // the rest of the frame has not arrived
    };

    Step TakeFrame(size_t caretPos, std::vector<CString>& messages);
    CString Remove(size_t length);
    void Drop(size_t length);
    void DropAll();
    long long Find(const char* marker, size_t from) const;

    evbuffer* m_buffer;  // created on the first bytes, freed whenever it empties
    size_t m_maxMessageBytes;
    size_t m_droppedBytes;
    int m_dropCount;
};
