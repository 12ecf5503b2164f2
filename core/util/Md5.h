// MD5 message digests (RFC 1321) written as lower-case hexadecimal text: the password digests
// of the login texts, the database key of a user and the check sums of downloaded data.
#pragma once
#include <afx.h>
#include <stddef.h>

class CMd5A
{
public:
    virtual ~CMd5A() {}

    // The digest of the bytes of input up to its terminating zero, as 32 lower-case hex digits
    // and a terminating zero. False, with nothing written, when output holds fewer than 33
    // bytes or a pointer is null; otherwise the whole output buffer is zeroed first.
    bool GetHexDigest(const char* input, char* output, size_t outputSize);

    // The 16 digest bytes of any byte run (zero bytes included).
    static void Digest(const void* data, size_t length, unsigned char digest[16]);
};

// The MD5 digest of the text's bytes (program code page) as 32 lower-case hex digits.
CString Md5Hex(const CString& text);
