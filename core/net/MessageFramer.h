// Cuts a server's byte stream into messages. Two framings arrive on one connection:
//   text ending in "#@"                      -> the message is the text with its "#@";
//   "^^", a decimal length, "~~", payload     -> the message is the payload.
// Bytes are kept until a message is complete, across any number of reads, so a record or a
// frame header cut anywhere (even between the two "^") is put together again. What cannot be
// a message is dropped and counted: a malformed length field (with the bytes up to it) and,
// past the size cap, unterminated text.
// Every byte is searched for each marker once, however the stream is cut into reads: what
// has been searched, and where a marker already lies, is remembered across reads.
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

    // Where a two-byte marker first occurs in the buffer, as far as it has been searched.
    struct MarkerScan
    {
        char marker[3];
        long long found;  // offset of the first occurrence, -1 while none is known
        size_t searched;  // with none known: no occurrence starts before this offset
    };

    // A frame whose header has been read and whose payload is still arriving.
    struct AwaitedFrame
    {
        bool known;
        size_t caretPos;
        size_t headerEnd;
        size_t payloadLength;
    };

    Step TakeFrame(size_t caretPos, std::vector<CString>& messages);
    Step FinishFrame(size_t caretPos, size_t headerEnd, size_t payloadLength, std::vector<CString>& messages);
    CString Remove(size_t length);
    void Drop(size_t length);
    void DropAll();
    void DrainFront(size_t length);
    void ForgetScans();
    void ScanAppended(MarkerScan& scan, const char* data, size_t length, size_t oldLength) const;
    long long Locate(MarkerScan& scan) const;

    evbuffer* m_buffer;  // created on the first bytes, freed whenever it empties
    char m_lastByte;     // the buffer's last byte, for a marker cut between two reads
    MarkerScan m_textEnd;
    MarkerScan m_frameStart;
    AwaitedFrame m_awaited;
    size_t m_maxMessageBytes;
    size_t m_droppedBytes;
    int m_dropCount;
};
