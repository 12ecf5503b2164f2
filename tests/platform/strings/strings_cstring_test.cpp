// CString under code page 936: literals are GBK, and searching, trimming, case changes and
// splitting never take the trail byte of a double-byte character for an ASCII character.
//
// Double-byte characters used below and their GBK bytes (the trail byte is what matters):
//   乗 81 5C ('\')   癨 B0 5C ('\')   倈 82 7C ('|')   丂 81 40 ('@')
//   夾 8A 41 ('A')   奪 8A 5A ('Z')   癮 B0 61 ('a')   倆 82 7A ('z')   奱 8A 61 ('a')
#include <afx.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

std::string Hex(const CString& s)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (int i = 0; i < s.GetLength(); ++i) {
        unsigned char b = (unsigned char)s[i];
        out += digits[b >> 4];
        out += digits[b & 15];
        out += ' ';
    }
    return out;
}

TEST(CStringEncoding, LiteralsAreGbkAndTheCodePageIs936)
{
    EXPECT_EQ(936u, ::GetACP());
    CString font("宋体");
    ASSERT_EQ(4, font.GetLength());
    EXPECT_EQ("CB CE CC E5 ", Hex(font));
    EXPECT_EQ("81 5C ", Hex(CString("乗")));
    EXPECT_EQ("82 7C ", Hex(CString("倈")));
    EXPECT_EQ("8A 5A ", Hex(CString("奪")));
    EXPECT_TRUE(AfxIsDBCSLeadByte(0x81));
    EXPECT_FALSE(AfxIsDBCSLeadByte('\\'));
}

TEST(CStringEncoding, WideTextConvertsThroughTheCodePage)
{
    CString fromWide(L"\u5B8B\u4F53");   // 宋体
    EXPECT_EQ(CString("宋体"), fromWide);
    BSTR wide = fromWide.AllocSysString();
    ASSERT_NE(nullptr, wide);
    EXPECT_EQ(2u, ::SysStringLen(wide));
    EXPECT_EQ(0x5B8B, wide[0]);
    ::SysFreeString(wide);
}

struct FindCase
{
    const char* text;
    char ch;
    int find;
    int reverseFind;
};

TEST(CStringDoubleByte, FindAndReverseFindSkipTrailBytes)
{
    const FindCase cases[] = {
        {"乗", '\\', -1, -1},
        {"乗a\\b", '\\', 3, 3},
        {"a\\乗\\", '\\', 1, 4},
        {"癨|倈|", '|', 2, 5},
        {"倈", '|', -1, -1},
        {"丂@", '@', 2, 2},
        {"夾A", 'A', 2, 2},
    };
    for (const FindCase& c : cases) {
        CString s(c.text);
        EXPECT_EQ(c.find, s.Find(c.ch)) << Hex(s);
        EXPECT_EQ(c.reverseFind, s.ReverseFind(c.ch)) << Hex(s);
    }
    // A start index inside a character moves on to the next whole character.
    EXPECT_EQ(4, CString("乗乗\\").Find('\\', 1));
    // Substrings match on character boundaries only: 乗 n \ n  (81 5C 6E 5C 6E)
    EXPECT_EQ(3, CString("乗n\\n").Find("\\n"));
    EXPECT_EQ(-1, CString("癨").Find("\\"));
    EXPECT_EQ(2, CString("倈乗").Find("乗"));
    EXPECT_EQ(3, CString("倈a|").FindOneOf("|\\"));
}

struct EditCase
{
    const char* what;
    CString (*edit)(CString);
    const char* input;
    const char* expected;
};

CString Upper(CString s) { return s.MakeUpper(); }
CString Lower(CString s) { return s.MakeLower(); }
CString Reverse(CString s) { return s.MakeReverse(); }
CString TrimSlashSet(CString s) { return s.Trim("\\"); }
CString TrimRightSlash(CString s) { return s.TrimRight('\\'); }
CString TrimLeftBar(CString s) { return s.TrimLeft('|'); }
CString TrimDoubleByteSet(CString s) { return s.Trim("乗 "); }
CString TrimSpaces(CString s) { return s.Trim(); }
CString ReplaceSlashChar(CString s) { s.Replace('\\', '/'); return s; }
CString ReplaceSlashText(CString s) { s.Replace("\\", "//"); return s; }
CString ReplaceDoubleByte(CString s) { s.Replace("乗", "x"); return s; }
CString RemoveSlash(CString s) { s.Remove('\\'); return s; }
CString RemoveA(CString s) { s.Remove('A'); return s; }
CString SpanExcludeSlash(CString s) { return s.SpanExcluding("\\"); }
CString SpanIncludeDigits(CString s) { return s.SpanIncluding("0123456789"); }

TEST(CStringDoubleByte, EditsKeepDoubleByteCharactersWhole)
{
    const EditCase cases[] = {
        {"upper keeps trail a..z", Upper, "癮abc倆", "癮ABC倆"},
        {"lower keeps trail A..Z", Lower, "夾奪XYZ", "夾奪xyz"},
        {"reverse by characters", Reverse, "ab乗c", "c乗ba"},
        {"trim set never cuts a trail", TrimSlashSet, "\\乗\\\\", "乗"},
        {"trim set of a lone trail", TrimSlashSet, "癨", "癨"},
        {"trim right char", TrimRightSlash, "乗", "乗"},
        {"trim left char", TrimLeftBar, "||倈|", "倈|"},
        {"trim a double-byte set", TrimDoubleByteSet, "乗 abc 乗乗", "abc"},
        {"trim spaces", TrimSpaces, " \t乗 \r\n", "乗"},
        {"replace char", ReplaceSlashChar, "乗\\癨", "乗/癨"},
        {"replace text", ReplaceSlashText, "\\乗\\", "//乗//"},
        {"replace a double-byte text", ReplaceDoubleByte, "乗\\乗", "x\\x"},
        {"remove char", RemoveSlash, "乗\\乗\\", "乗乗"},
        {"remove a trail-like letter", RemoveA, "夾A", "夾"},
        {"span excluding", SpanExcludeSlash, "乗a\\b", "乗a"},
        {"span including", SpanIncludeDigits, "12夾", "12"},
    };
    for (const EditCase& c : cases)
        EXPECT_EQ(Hex(CString(c.expected)), Hex(c.edit(CString(c.input)))) << c.what;
}

TEST(CStringDoubleByte, TokenizeAndExtractSubStringSplitOnWholeCharacters)
{
    CString text("倈|乗||a|");
    std::vector<CString> tokens;
    int position = 0;
    for (CString token = text.Tokenize("|", position); position != -1; token = text.Tokenize("|", position))
        tokens.push_back(token);
    ASSERT_EQ(3u, tokens.size());
    EXPECT_EQ(CString("倈"), tokens[0]);
    EXPECT_EQ(CString("乗"), tokens[1]);
    EXPECT_EQ(CString("a"), tokens[2]);

    const struct { int index; BOOL found; const char* field; } fields[] = {
        {0, TRUE, "倈"}, {1, TRUE, "乗"}, {2, TRUE, ""}, {3, TRUE, "a"}, {4, TRUE, ""}, {5, FALSE, ""},
    };
    for (const auto& f : fields) {
        CString field("stale");
        EXPECT_EQ(f.found, AfxExtractSubString(field, text, f.index, '|')) << f.index;
        EXPECT_EQ(CString(f.field), field) << f.index;
    }
}

TEST(CStringDoubleByte, CompareNoCaseFoldsOnlyAsciiLetters)
{
    EXPECT_EQ(0, CString("Abc乗").CompareNoCase("aBC乗"));
    // 夾 (8A 41) and 奱 (8A 61) differ only in a trail byte that looks like A/a.
    EXPECT_NE(0, CString("夾").CompareNoCase("奱"));
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
}

TEST(CStringFormat, LongOutputsAndSelfReferences)
{
    CString filler('x', 2000);
    CString s;
    s.Format("%s-%d", filler.GetString(), 42);
    ASSERT_EQ(2003, s.GetLength());
    EXPECT_EQ(CString("-42"), s.Right(3));

    s.AppendFormat("%s", filler.GetString());
    EXPECT_EQ(4003, s.GetLength());

    CString twice("乗");
    twice.Format("%s%s", twice.GetString(), twice.GetString());
    EXPECT_EQ(CString("乗乗"), twice);

    CString grow("ab");
    for (int i = 0; i < 12; ++i)
        grow.AppendFormat("%s", grow.GetString());
    EXPECT_EQ(2 << 12, grow.GetLength());
}

TEST(CStringFormat, IntegerWidthsAndFloats)
{
    INT_PTR pointerSized = -5;
    const struct { const char* expected; CString actual; } cases[] = {
        {"-5", [&] { CString s; s.Format("%Id", pointerSized); return s; }()},
        {"1234567890123", [] { CString s; s.Format("%I64d", 1234567890123LL); return s; }()},
        {"1234567890123", [] { CString s; s.Format("%lld", 1234567890123LL); return s; }()},
        {"  3.14", [] { CString s; s.Format("%6.2f", 3.14159); return s; }()},
        {"00042|宋体", [] { CString s; s.Format("%05d|%s", 42, "宋体"); return s; }()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CString(c.expected), c.actual);
}

TEST(CStringBuffer, GetBufferReleaseBufferAndCopyOnWrite)
{
    CString s("abc");
    CString shared(s);
    LPSTR buffer = s.GetBuffer(100);
    strcpy(buffer, "乗 written");
    CString copyWhileOpen(s);   // never shares an open buffer
    buffer[0] = 'Z';
    s.ReleaseBuffer();
    EXPECT_EQ(10, s.GetLength());
    EXPECT_EQ(CString("abc"), shared);
    EXPECT_EQ('Z', s[0]);
    EXPECT_EQ((char)0x81, copyWhileOpen[0]);

    buffer = s.GetBufferSetLength(3);
    EXPECT_EQ(3, s.GetLength());
    s.ReleaseBuffer(2);
    EXPECT_EQ(2, s.GetLength());

    CString empty;
    strcpy(empty.GetBuffer(10), "0123456789");
    empty.ReleaseBuffer(-1);
    EXPECT_EQ(CString("0123456789"), empty);
}

TEST(CStringBasics, ExtractionInsertDeleteAndOperators)
{
    CString s("Hello乗World");
    EXPECT_EQ(CString("Hello"), s.Left(5));
    EXPECT_EQ(CString("World"), s.Right(5));
    EXPECT_EQ(CString("乗"), s.Mid(5, 2));
    EXPECT_EQ(CString("World"), s.Mid(7));
    EXPECT_EQ(CString(""), s.Mid(50));
    EXPECT_EQ(s, s.Left(100));
    EXPECT_EQ(s, s.Mid(-3));

    CString edit("ac");
    EXPECT_EQ(3, edit.Insert(1, 'b'));
    EXPECT_EQ(7, edit.Insert(100, "宋体"));
    EXPECT_EQ(CString("abc宋体"), edit);
    EXPECT_EQ(5, edit.Delete(0, 2));
    EXPECT_EQ(CString("c宋体"), edit);
    EXPECT_EQ(9, edit.Insert(0, edit.GetString() + 1));   // a part of its own buffer
    EXPECT_EQ(CString("宋体c宋体"), edit);

    CString sum = CString("a") + "b" + 'c' + CString("d");
    EXPECT_TRUE(sum == "abcd");
    EXPECT_TRUE("abcd" == sum);
    EXPECT_TRUE(sum != "abce");
    EXPECT_TRUE(sum < "abce");
    EXPECT_TRUE(sum >= CString("abcd"));
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_STREQ("abcd", (LPCSTR)sum);
}

TEST(CStringThreads, CopiesTravelBetweenThreads)
{
    const CString original("共享的字符串");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&original] {
            for (int i = 0; i < 20000; ++i) {
                CString copy(original);
                CString another = copy;
                if (i % 2)
                    another += "!";
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(CString("共享的字符串"), original);
}

}  // namespace
