// The encrypted format of the small configuration files ("usrcfg.ini", "SelfListFile.cfg",
// the server lists): AES-256 block by block (ECB) under one fixed key. The first block holds
// the decimal plain length L (text plus its terminating zero byte), a zero byte and, in the
// bytes left, the first bytes of the MD5 digest of the text (zero in files written before the
// check); the text and its zero byte follow, zero-padded to whole blocks. An empty file is an
// empty text.
#pragma once
#include <afx.h>

class CFileCrypt
{
public:
    enum { BlockSize = 16, KeySize = 32 };

    CFileCrypt();
    virtual ~CFileCrypt();

    // Length of the last text encrypted or decrypted, terminator included.
    unsigned int GetPlainLength() const { return m_nPlainLength; }
    void SetPlainLength(unsigned int length) { m_nPlainLength = length; }

    // Size of the encrypted form of a plain run of the given length: 16 + 16 * ceil(L / 16).
    static unsigned int EncryptedSize(unsigned int plainLength);

    // Writes the length block and the data blocks of GetPlainLength() bytes of data. False on a
    // null pointer, a plain length of 0 or an out buffer below EncryptedSize.
    bool EncryptBuffer(const unsigned char* data, unsigned char* out, unsigned int outSize);

    // Decrypts the length block of an encrypted run of `size` bytes and stores and returns the
    // plain length (and keeps its check bytes). 0 (also stored) when the run is shorter than
    // one block, the block is not a positive decimal number followed by a zero byte, or `size`
    // is not exactly the encrypted size of that length: a damaged file never makes us trust
    // its stated length.
    unsigned int DecryptLength(const unsigned char* data, unsigned int size);

    // Decrypts the data blocks that follow the length block, GetPlainLength() bytes of them
    // (call DecryptLength on the same run first), writing at most outSize bytes. False on a null
    // pointer, no plain length, or an out buffer below the plain length.
    bool DecryptBuffer(const unsigned char* data, unsigned char* out, unsigned int outSize);

    enum ReadResult
    {
        Read,        // text holds the file's text
        NotOpened,   // missing, locked or unreadable: the file may be sound
        Damaged,     // the content is not of this format
    };

    // Reads a file of this format (opened read-only). An empty file gives an empty text. The
    // plain run must be the text, one zero byte and zero padding, and the text must match the
    // check bytes of the length block (unless they are all zero: an older file). Unless the
    // result is Read, text is left unchanged.
    ReadResult DecryptFile(LPCSTR path, CString& text);
    // The same as a yes or no.
    bool DecryptFileToString(LPCSTR path, CString& text);

    // Writes text in this format (an empty text gives an empty file). The bytes go to a
    // temporary file beside the target that replaces it only after a complete, flushed write,
    // so a failure never leaves a truncated file behind. False on any failure.
    bool EncryptStringToFile(LPCSTR text, LPCSTR path);

private:
    CFileCrypt(const CFileCrypt&) = delete;
    CFileCrypt& operator=(const CFileCrypt&) = delete;

    // True when the last length block read carries no check (all its check bytes are zero).
    bool IsUncheckedFile() const;

    int m_nKeyLength;
    unsigned char* m_pKey;
    unsigned int m_nPlainLength;
    unsigned char m_check[BlockSize];  // check bytes of the last length block read
    int m_nCheckLength;
};
