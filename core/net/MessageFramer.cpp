#include "MessageFramer.h"

#include <event2/buffer.h>

#include <stdlib.h>
#include <string.h>

namespace {

const char kTextEnd[] = "#@";
const char kFrameStart[] = "^^";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

CMessageFramer::CMessageFramer(size_t maxMessageBytes)
    : m_buffer(NULL), m_lastByte(0), m_maxMessageBytes(maxMessageBytes), m_droppedBytes(0), m_dropCount(0)
{
    memcpy(m_textEnd.marker, kTextEnd, sizeof(m_textEnd.marker));
    memcpy(m_frameStart.marker, kFrameStart, sizeof(m_frameStart.marker));
    ForgetScans();
}

CMessageFramer::~CMessageFramer()
{
    Reset();
}

void CMessageFramer::Reset()
{
    if (m_buffer != NULL)
    {
        evbuffer_free(m_buffer);
        m_buffer = NULL;
    }
    ForgetScans();
}

void CMessageFramer::ForgetScans()
{
    for (MarkerScan* scan : {&m_textEnd, &m_frameStart})
    {
        scan->found = -1;
        scan->searched = 0;
    }
    m_awaited.known = false;
}

size_t CMessageFramer::GetPendingBytes() const
{
    return m_buffer != NULL ? evbuffer_get_length(m_buffer) : 0;
}

void CMessageFramer::Append(const char* data, size_t length, std::vector<CString>& messages)
{
    if (data == NULL || length == 0)
        return;
    if (m_buffer == NULL)
        m_buffer = evbuffer_new();
    const size_t oldLength = GetPendingBytes();
    if (m_buffer == NULL || evbuffer_add(m_buffer, data, length) != 0)
    {
        // Out of memory: the stream cannot be followed any more from here.
        m_droppedBytes += length + oldLength;
        ++m_dropCount;
        Reset();
        return;
    }
    // The new bytes are searched where they lie, in the caller's block: finding an offset deep
    // inside the buffer would walk all its chunks on every read.
    ScanAppended(m_textEnd, data, length, oldLength);
    ScanAppended(m_frameStart, data, length, oldLength);
    m_lastByte = data[length - 1];

    bool waitingForText = false;
    for (;;)
    {
        if (evbuffer_get_length(m_buffer) == 0)
            break;
        const long long textEnd = Locate(m_textEnd);
        const long long frameStart = Locate(m_frameStart);
        if (textEnd >= 0 && (frameStart < 0 || textEnd < frameStart))
        {
            messages.push_back(Remove((size_t)textEnd + 2));
            continue;
        }
        if (frameStart < 0)
        {
            waitingForText = true;
            break;
        }
        if (TakeFrame((size_t)frameStart, messages) == Step::Wait)
            break;
    }

    // A text record longer than any real one will never end: stop collecting it.
    if (waitingForText && GetPendingBytes() > m_maxMessageBytes)
        DropAll();
    if (GetPendingBytes() == 0)
        Reset();
}

// A "^^" starts the buffer's next message at caretPos: "^^", 1 to kMaxLengthDigits decimal
// digits, "~~" and that many payload bytes.
CMessageFramer::Step CMessageFramer::TakeFrame(size_t caretPos, std::vector<CString>& messages)
{
    // The header of a frame still waiting for its payload was read before: only the length
    // has to be looked at again.
    if (m_awaited.known && m_awaited.caretPos == caretPos)
        return FinishFrame(caretPos, m_awaited.headerEnd, m_awaited.payloadLength, messages);

    const size_t length = evbuffer_get_length(m_buffer);
    const size_t fieldStart = caretPos + 2;
    char field[kMaxLengthDigits + 2];
    size_t available = length - fieldStart;
    if (available > sizeof(field))
        available = sizeof(field);
    evbuffer_ptr from;
    evbuffer_ptr_set(m_buffer, &from, fieldStart, EVBUFFER_PTR_SET);
    if (available > 0)
        evbuffer_copyout_from(m_buffer, &from, field, available);

    size_t digits = 0;
    while (digits < available && IsDigit(field[digits]))
        ++digits;
    const bool fieldTooLong = digits > (size_t)kMaxLengthDigits;
    if (digits == available && !fieldTooLong)
        return Step::Wait;  // the length field goes on in the next read
    bool wellFormed = !fieldTooLong && digits > 0 && field[digits] == '~';
    if (wellFormed && digits + 1 == available)
        return Step::Wait;  // the second "~" has not arrived
    wellFormed = wellFormed && field[digits + 1] == '~';

    unsigned long long payloadLength = 0;
    if (wellFormed)
    {
        field[digits] = '\0';
        payloadLength = strtoull(field, NULL, 10);
        wellFormed = payloadLength <= m_maxMessageBytes;
    }
    if (!wellFormed)
    {
        // Not a frame header: drop it with whatever stood before it and look again.
        Drop(fieldStart);
        return Step::Dropped;
    }
    return FinishFrame(caretPos, fieldStart + digits + 2, (size_t)payloadLength, messages);
}

CMessageFramer::Step CMessageFramer::FinishFrame(size_t caretPos, size_t headerEnd, size_t payloadLength,
                                                 std::vector<CString>& messages)
{
    if (evbuffer_get_length(m_buffer) - headerEnd < payloadLength)
    {
        m_awaited.known = true;
        m_awaited.caretPos = caretPos;
        m_awaited.headerEnd = headerEnd;
        m_awaited.payloadLength = payloadLength;
        return Step::Wait;
    }
    if (caretPos > 0)
        Drop(caretPos);  // stray bytes in front of the frame
    DrainFront(headerEnd - caretPos);
    if (payloadLength > 0)
        messages.push_back(Remove(payloadLength));
    return Step::Message;
}

CString CMessageFramer::Remove(size_t length)
{
    const unsigned char* bytes = evbuffer_pullup(m_buffer, (ev_ssize_t)length);
    CString message(reinterpret_cast<const char*>(bytes), (int)length);
    DrainFront(length);
    return message;
}

void CMessageFramer::Drop(size_t length)
{
    DrainFront(length);
    m_droppedBytes += length;
    ++m_dropCount;
}

void CMessageFramer::DropAll()
{
    Drop(evbuffer_get_length(m_buffer));
}

// Every removal from the buffer passes here, so that the remembered offsets stay true.
void CMessageFramer::DrainFront(size_t length)
{
    evbuffer_drain(m_buffer, length);
    m_awaited.known = false;
    for (MarkerScan* scan : {&m_textEnd, &m_frameStart})
    {
        if (scan->found >= (long long)length)
        {
            scan->found -= (long long)length;
        }
        else if (scan->found >= 0)
        {
            // The occurrence went with the drained bytes; the next one may start anywhere.
            scan->found = -1;
            scan->searched = 0;
        }
        else
        {
            scan->searched = scan->searched > length ? scan->searched - length : 0;
        }
    }
}

// Called after `length` bytes were added behind `oldLength` bytes. When everything before
// them had been searched, only they (and the pair they form with the last old byte) are
// searched now; otherwise Locate searches on from where it stopped.
void CMessageFramer::ScanAppended(MarkerScan& scan, const char* data, size_t length, size_t oldLength) const
{
    if (scan.found >= 0 || scan.searched + 1 < oldLength)
        return;
    if (oldLength > 0 && m_lastByte == scan.marker[0] && data[0] == scan.marker[1])
    {
        scan.found = (long long)oldLength - 1;
        return;
    }
    for (const char* p = data; p + 1 < data + length;)
    {
        p = static_cast<const char*>(memchr(p, scan.marker[0], (size_t)(data + length - 1 - p)));
        if (p == NULL)
            break;
        if (p[1] == scan.marker[1])
        {
            scan.found = (long long)(oldLength + (size_t)(p - data));
            return;
        }
        ++p;
    }
    scan.searched = oldLength + length - 1;
}

// Offset of the marker's first occurrence in the buffer, or -1; searches only what has not
// been searched yet.
long long CMessageFramer::Locate(MarkerScan& scan) const
{
    if (scan.found >= 0)
        return scan.found;
    const size_t length = evbuffer_get_length(m_buffer);
    if (length < 2 || scan.searched + 1 >= length)
        return -1;
    evbuffer_ptr start;
    if (evbuffer_ptr_set(m_buffer, &start, scan.searched, EVBUFFER_PTR_SET) != 0)
        return -1;
    const evbuffer_ptr found = evbuffer_search(m_buffer, scan.marker, 2, &start);
    if (found.pos >= 0)
        scan.found = found.pos;
    else
        scan.searched = length - 1;
    return scan.found;
}
