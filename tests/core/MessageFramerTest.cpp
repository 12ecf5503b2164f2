// Cutting a server's byte stream into messages: both framings, every way a message can be
// cut across reads, and the bytes that cannot be a message.
#include <gtest/gtest.h>

#include "MessageFramer.h"

#include <ctype.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Feed(CMessageFramer& framer, const std::vector<std::string>& reads)
{
    std::vector<std::string> result;
    for (const std::string& read : reads)
    {
        std::vector<CString> messages;
        framer.Append(read.data(), read.size(), messages);
        for (const CString& message : messages)
            result.push_back(std::string((LPCSTR)message, message.GetLength()));
    }
    return result;
}

std::vector<std::string> Feed(const std::vector<std::string>& reads)
{
    CMessageFramer framer;
    return Feed(framer, reads);
}

typedef std::vector<std::string> Texts;

std::string Frame(const std::string& payload)
{
    return "^^" + std::to_string(payload.size()) + "~~" + payload;
}

} // namespace

TEST(MessageFramer, CutsTextsAndLengthPrefixedFrames)
{
    struct Case
    {
        const char* name;
        Texts reads;
        Texts expected;
    };
    const Case cases[] = {
        {"two texts in one read", {"a@x:1#@b@y:2#@"}, {"a@x:1#@", "b@y:2#@"}},
        {"frame of five", {"^^5~~hello"}, {"hello"}},
        {"frame waits for its payload", {"^^5~~hel", "lo"}, {"hello"}},
        {"bytes before a frame are dropped", {"junk^^3~~abc"}, {"abc"}},
        {"frame payload may hold the text end", {"^^9~~r@a:1#@#@x"}, {"r@a:1#@#@"}},
        {"text then frame", {"t@1#@^^2~~ok"}, {"t@1#@", "ok"}},
        {"frame then text", {"^^2~~okt@1#@"}, {"ok", "t@1#@"}},
        {"text without end waits for it", {"r@a:1#b:", "2#@"}, {"r@a:1#b:2#@"}},
        {"bytes without any marker are kept", {"abc", "def", "#@"}, {"abcdef#@"}},
        {"frame cut after its first caret", {"t@1#@^", "^3~~abc"}, {"t@1#@", "abc"}},
        {"frame cut inside the length", {"^^1", "2~~", "0123456789ab"}, {"0123456789ab"}},
        {"frame cut between the tildes", {"^^3~", "~abc"}, {"abc"}},
        {"text end cut between its two bytes", {"r@a#", "@"}, {"r@a#@"}},
        {"tildes before the carets are not the header", {"x~~y^^3~~abc"}, {"abc"}},
        {"empty frame yields nothing", {"^^0~~t@1#@"}, {"t@1#@"}},
        {"leading zeros", {"^^007~~1234567"}, {"1234567"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Feed(c.reads)) << c.name;
}

TEST(MessageFramer, EveryCutOfAMixedStreamGivesTheSameMessages)
{
    const Texts expected = {"PositionResult@[a|b]#@", "SummaryResult@1#2#@", "contractlist@^^31~~[x|y]#@#@",
                            "OrderInfo@cid:1#st:Filled#@", "#@#@"};
    // Texts and frames alternate; a frame's payload may look like a header or a text end.
    const std::string stream = expected[0] + Frame(expected[1]) + Frame(expected[2]) + expected[3] + Frame(expected[4]);
    ASSERT_EQ(expected, Feed({stream}));
    for (size_t cut = 1; cut < stream.size(); ++cut)
        EXPECT_EQ(expected, Feed({stream.substr(0, cut), stream.substr(cut)})) << "cut at " << cut;
    Texts bytes;
    for (char c : stream)
        bytes.push_back(std::string(1, c));
    EXPECT_EQ(expected, Feed(bytes));
}

TEST(MessageFramer, MalformedHeadersAreDroppedAndTheStreamGoesOn)
{
    struct Case
    {
        const char* name;
        Texts reads;
        Texts expected;
        size_t dropped;
    };
    const Case cases[] = {
        {"sign in the length", {"^^-5~~^^3~~abc"}, {"abc"}, 6},
        {"letter in the length", {"^^1a~~t@1#@"}, {"1a~~t@1#@"}, 2},
        {"no digits", {"^^~~x", "^^1~~y"}, {"y"}, 5},
        {"one tilde", {"^^3~abc^^1~~z"}, {"z"}, 7},
        {"length field too long", {"^^1234567890~~x^^1~~z"}, {"z"}, 15},
        {"length above the cap", {"^^99999999~~abc^^1~~z"}, {"z"}, 15},
    };
    for (const Case& c : cases)
    {
        CMessageFramer framer(1024 * 1024);
        EXPECT_EQ(c.expected, Feed(framer, c.reads)) << c.name;
        EXPECT_EQ(c.dropped, framer.GetDroppedBytes()) << c.name;
        EXPECT_EQ(0u, framer.GetPendingBytes()) << c.name;
    }
}

TEST(MessageFramer, UnterminatedTextIsKeptUpToTheCap)
{
    CMessageFramer framer(64);
    // Below the cap the bytes wait, however many reads they take.
    EXPECT_TRUE(Feed(framer, {std::string(40, 'a'), std::string(24, 'b')}).empty());
    EXPECT_EQ(64u, framer.GetPendingBytes());
    EXPECT_EQ(0, framer.GetDropCount());
    // Past it they are dropped whole, and the next record stands on its own.
    EXPECT_TRUE(Feed(framer, {"c"}).empty());
    EXPECT_EQ(0u, framer.GetPendingBytes());
    EXPECT_EQ(65u, framer.GetDroppedBytes());
    EXPECT_EQ(Texts{"next@1#@"}, Feed(framer, {"next@1#@"}));

    // A frame whose announced payload is within the cap waits for all of it.
    EXPECT_TRUE(Feed(framer, {"^^60~~", std::string(59, 'p')}).empty());
    EXPECT_EQ(Texts{std::string(59, 'p') + "q"}, Feed(framer, {"q"}));

    std::vector<CString> none;
    framer.Append("partial", 7, none);
    framer.Reset();
    EXPECT_EQ(0u, framer.GetPendingBytes());
    EXPECT_EQ(Texts{"t@1#@"}, Feed(framer, {"t@1#@"}));
}

namespace {

// The framing rules applied to the whole pending text from its first byte on every read: slow
// but plain, the yardstick for the framer, which remembers how far it has searched.
class PlainFramer
{
public:
    explicit PlainFramer(size_t maxMessageBytes) : m_max(maxMessageBytes) {}

    Texts Append(const std::string& read)
    {
        Texts messages;
        m_pending += read;
        bool waitingForText = false;
        while (!m_pending.empty())
        {
            const size_t textEnd = m_pending.find("#@");
            const size_t caret = m_pending.find("^^");
            if (textEnd != std::string::npos && (caret == std::string::npos || textEnd < caret))
            {
                messages.push_back(m_pending.substr(0, textEnd + 2));
                m_pending.erase(0, textEnd + 2);
                continue;
            }
            if (caret == std::string::npos)
            {
                waitingForText = true;
                break;
            }
            const size_t fieldStart = caret + 2;
            const std::string field = m_pending.substr(fieldStart, CMessageFramer::kMaxLengthDigits + 2);
            size_t digits = 0;
            while (digits < field.size() && isdigit((unsigned char)field[digits]))
                ++digits;
            const bool tooLong = digits > (size_t)CMessageFramer::kMaxLengthDigits;
            if (!tooLong && (digits == field.size() || (digits > 0 && field.substr(digits) == "~")))
                break;  // the header goes on in the next read
            bool wellFormed = !tooLong && digits > 0 && field.compare(digits, 2, "~~") == 0;
            const unsigned long long length = wellFormed ? std::stoull(field.substr(0, digits)) : 0;
            wellFormed = wellFormed && length <= m_max;
            if (!wellFormed)
            {
                Drop(fieldStart);
                continue;
            }
            const size_t headerEnd = fieldStart + digits + 2;
            if (m_pending.size() - headerEnd < length)
                break;
            if (caret > 0)
                Drop(caret);
            if (length > 0)
                messages.push_back(m_pending.substr(headerEnd - caret, (size_t)length));
            m_pending.erase(0, headerEnd - caret + (size_t)length);
        }
        if (waitingForText && m_pending.size() > m_max)
            Drop(m_pending.size());
        return messages;
    }

    size_t Pending() const { return m_pending.size(); }
    size_t dropped = 0;
    int drops = 0;

private:
    void Drop(size_t length)
    {
        m_pending.erase(0, length);
        dropped += length;
        ++drops;
    }

    std::string m_pending;
    size_t m_max;
};

// Streams built from the pieces that matter to the searches: markers and their halves, runs of
// "^", headers good and bad, and filler, so that markers fall across reads in every way.
std::string RandomStream(std::mt19937& random)
{
    static const char* const pieces[] = {"#@", "#", "@", "^", "^^", "~~", "~", "^^5~~", "^^12~~", "^^0~~", "^^x",
                                         "^^^^^^^", "3", "abc", "q@1", "##@@", "\xB0\xA1", "^^3~~#@#"};
    std::string stream;
    const int count = 1 + (int)(random() % 60);
    for (int i = 0; i < count; ++i)
    {
        if (random() % 8 == 0)
            stream += std::string(1 + random() % 40, "x^#"[random() % 3]);
        else
            stream += pieces[random() % (sizeof(pieces) / sizeof(pieces[0]))];
    }
    return stream;
}

} // namespace

TEST(MessageFramer, RemembersItsSearchesWithoutChangingAnyResult)
{
    std::mt19937 random(9);
    for (int round = 0; round < 3000; ++round)
    {
        const size_t cap = 24 + random() % 40;
        CMessageFramer framer(cap);
        PlainFramer plain(cap);
        std::string stream = RandomStream(random);
        for (size_t at = 0; at < stream.size();)
        {
            const size_t size = std::min(stream.size() - at, (size_t)(1 + random() % (random() % 4 == 0 ? 64 : 4)));
            const std::string read = stream.substr(at, size);
            at += size;
            const Texts expected = plain.Append(read);
            ASSERT_EQ(expected, Feed(framer, {read})) << "round " << round << ", stream " << stream;
            ASSERT_EQ(plain.Pending(), framer.GetPendingBytes()) << "round " << round << ", stream " << stream;
            ASSERT_EQ(plain.dropped, framer.GetDroppedBytes()) << "round " << round;
            ASSERT_EQ(plain.drops, framer.GetDropCount()) << "round " << round;
        }
    }
}
