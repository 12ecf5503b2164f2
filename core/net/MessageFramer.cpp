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
    : m_buffer(NULL), m_maxMessageBytes(maxMessageBytes), m_droppedBytes(0), m_dropCount(0)
{
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
    if (m_buffer == NULL || evbuffer_add(m_buffer, data, length) != 0)
    {
        // Out of memory: the stream cannot be followed any more from here.
        m_droppedBytes += length + GetPendingBytes();
        ++m_dropCount;
        Reset();
        return;
    }

    bool waitingForText = false;
    for (;;)
    {
        if (evbuffer_get_length(m_buffer) == 0)
            break;
        const long long textEnd = Find(kTextEnd, 0);
        const long long frameStart = Find(kFrameStart, 0);
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

    const size_t headerEnd = fieldStart + digits + 2;
    if (length - headerEnd < payloadLength)
        return Step::Wait;
    if (caretPos > 0)
        Drop(caretPos);  // stray bytes in front of the frame
    evbuffer_drain(m_buffer, headerEnd - caretPos);
    if (payloadLength > 0)
        messages.push_back(Remove((size_t)payloadLength));
    return Step::Message;
}

CString CMessageFramer::Remove(size_t length)
{
    const unsigned char* bytes = evbuffer_pullup(m_buffer, (ev_ssize_t)length);
    CString message(reinterpret_cast<const char*>(bytes), (int)length);
    evbuffer_drain(m_buffer, length);
    return message;
}

void CMessageFramer::Drop(size_t length)
{
    evbuffer_drain(m_buffer, length);
    m_droppedBytes += length;
    ++m_dropCount;
}

void CMessageFramer::DropAll()
{
    Drop(evbuffer_get_length(m_buffer));
}

long long CMessageFramer::Find(const char* marker, size_t from) const
{
    evbuffer_ptr start;
    if (evbuffer_ptr_set(m_buffer, &start, from, EVBUFFER_PTR_SET) != 0)
        return -1;
    const evbuffer_ptr found = evbuffer_search(m_buffer, marker, strlen(marker), &start);
    return found.pos;
}
