#include "FileCrypt.h"

#include "Aes.h"
#include "Md5.h"
#include "PathText.h"

#include <string.h>
#include <vector>

namespace {

// The one key of every installation: files move between machines unchanged.
const unsigned char kFileKey[CFileCrypt::KeySize] = {
    0x5e, 0x19, 0xc7, 0xa2, 0x40, 0xd8, 0x3b, 0x6f, 0x91, 0xe2, 0xa7, 0xc4, 0x0b, 0x6d, 0x3f, 0x88,
    0x27, 0xa4, 0xe9, 0xc1, 0xd0, 0x53, 0x6b, 0x7e, 0x8f, 0x2c, 0x14, 0xa9, 0xe3, 0x6b, 0x05, 0xd7,
};

// Larger files are not configuration files of ours; refuse them instead of reading them whole.
const DWORD kMaxFileSize = 64 * 1024 * 1024;

// The plain length is written as at most 10 decimal digits, so no length beyond this fits in
// 32 bits together with its padding.
const unsigned int kMaxPlainLength = 0xFFFFFFFFu - 2 * CFileCrypt::BlockSize;

// The length block holds the decimal length, a zero byte and then, in the bytes left, the
// first bytes of the MD5 digest of the text. Readers that take the length with atoi stop at
// the zero byte, so the file stays readable as before; this program checks the digest, so a
// damage in any block (which garbles that whole block) is found. A file whose check bytes are
// all zero was written before the check existed and is read as it was.
int CheckBytesAfter(int digits)
{
    return CFileCrypt::BlockSize - digits - 1;
}

void TextCheck(const unsigned char* text, size_t length, unsigned char check[CFileCrypt::BlockSize])
{
    CMd5A::Digest(text, length, check);
}

class FileHandle
{
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { Close(); }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    bool Close()
    {
        bool ok = true;
        if (IsOpen())
            ok = CloseHandle(m_handle) != FALSE;
        m_handle = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE m_handle;
};

bool WriteAll(HANDLE file, const unsigned char* data, size_t size)
{
    while (size > 0)
    {
        DWORD chunk = size > 0x100000 ? 0x100000 : (DWORD)size;
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, NULL) || written != chunk)
            return false;
        data += chunk;
        size -= chunk;
    }
    return true;
}

bool ReadAll(HANDLE file, unsigned char* data, DWORD size)
{
    while (size > 0)
    {
        DWORD got = 0;
        if (!ReadFile(file, data, size, &got, NULL) || got == 0)
            return false;
        data += got;
        size -= got;
    }
    return true;
}

} // namespace

CFileCrypt::CFileCrypt()
    : m_nKeyLength(KeySize), m_pKey(new unsigned char[KeySize]), m_nPlainLength(0), m_nCheckLength(0)
{
    memcpy(m_pKey, kFileKey, KeySize);
    memset(m_check, 0, sizeof(m_check));
}

bool CFileCrypt::IsUncheckedFile() const
{
    for (int i = 0; i < m_nCheckLength; ++i)
        if (m_check[i] != 0)
            return false;
    return true;
}

CFileCrypt::~CFileCrypt()
{
    SecureZeroMemory(m_pKey, m_nKeyLength);
    delete[] m_pKey;
}

unsigned int CFileCrypt::EncryptedSize(unsigned int plainLength)
{
    return BlockSize + (plainLength + BlockSize - 1) / BlockSize * BlockSize;
}

bool CFileCrypt::EncryptBuffer(const unsigned char* data, unsigned char* out, unsigned int outSize)
{
    if (data == NULL || out == NULL || m_nPlainLength == 0 || m_nPlainLength > kMaxPlainLength
        || outSize < EncryptedSize(m_nPlainLength))
        return false;

    Aes aes(m_nKeyLength, m_pKey);
    unsigned char block[BlockSize];

    memset(block, 0, sizeof(block));
    char digits[BlockSize];
    int written = _snprintf(digits, sizeof(digits), "%u", m_nPlainLength);
    memcpy(block, digits, written);
    unsigned char check[BlockSize];
    TextCheck(data, m_nPlainLength - 1, check);
    memcpy(block + written + 1, check, CheckBytesAfter(written));
    aes.EncryptBlock(block, out);

    for (unsigned int offset = 0; offset < m_nPlainLength; offset += BlockSize)
    {
        unsigned int count = m_nPlainLength - offset < (unsigned)BlockSize ? m_nPlainLength - offset : (unsigned)BlockSize;
        memset(block, 0, sizeof(block));
        memcpy(block, data + offset, count);
        aes.EncryptBlock(block, out + BlockSize + offset);
    }
    SecureZeroMemory(block, sizeof(block));
    return true;
}

unsigned int CFileCrypt::DecryptLength(const unsigned char* data, unsigned int size)
{
    m_nPlainLength = 0;
    if (data == NULL || size < (unsigned)BlockSize)
        return 0;

    unsigned char block[BlockSize];
    Aes aes(m_nKeyLength, m_pKey);
    aes.DecryptBlock(data, block);

    // Up to ten digits, a zero byte, then the check bytes (all zero in older files).
    unsigned long long length = 0;
    int digits = 0;
    while (digits < 10 && block[digits] >= '0' && block[digits] <= '9')
        length = length * 10 + (block[digits++] - '0');
    if (digits == 0 || block[digits] != 0 || length == 0 || length > kMaxPlainLength
        || EncryptedSize((unsigned int)length) != size)
        return 0;

    m_nCheckLength = CheckBytesAfter(digits);
    memcpy(m_check, block + digits + 1, m_nCheckLength);
    m_nPlainLength = (unsigned int)length;
    return m_nPlainLength;
}

bool CFileCrypt::DecryptBuffer(const unsigned char* data, unsigned char* out, unsigned int outSize)
{
    if (data == NULL || out == NULL || m_nPlainLength == 0 || outSize < m_nPlainLength)
        return false;

    Aes aes(m_nKeyLength, m_pKey);
    unsigned char block[BlockSize];
    for (unsigned int offset = 0; offset < m_nPlainLength; offset += BlockSize)
    {
        aes.DecryptBlock(data + BlockSize + offset, block);
        unsigned int count = outSize - offset < (unsigned)BlockSize ? outSize - offset : (unsigned)BlockSize;
        memcpy(out + offset, block, count);
    }
    SecureZeroMemory(block, sizeof(block));
    return true;
}

CFileCrypt::ReadResult CFileCrypt::DecryptFile(LPCSTR path, CString& text)
{
    if (path == NULL || *path == '\0')
        return NotOpened;
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL));
    if (!file.IsOpen())
        return NotOpened;

    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size))
        return NotOpened;
    if (size.QuadPart > kMaxFileSize)
        return Damaged;
    if (size.QuadPart == 0)
    {
        m_nPlainLength = 0;
        text.Empty();
        return Read;
    }
    if (size.QuadPart % BlockSize != 0)
        return Damaged;

    std::vector<unsigned char> encrypted((size_t)size.QuadPart);
    if (!ReadAll(file.Get(), &encrypted[0], (DWORD)size.QuadPart))
        return NotOpened;

    unsigned int plainLength = DecryptLength(&encrypted[0], (unsigned int)encrypted.size());
    if (plainLength == 0)
        return Damaged;
    // Whole blocks, padding included: a damaged block decrypts to noise that rarely leaves
    // the text's single zero byte and the zero padding behind it in place.
    std::vector<unsigned char> plain(encrypted.size() - BlockSize);
    if (!DecryptBuffer(&encrypted[0], &plain[0], (unsigned int)plain.size()))
        return Damaged;
    const size_t textLength = strnlen(reinterpret_cast<const char*>(&plain[0]), plainLength);
    bool wellFormed = textLength == plainLength - 1;
    for (size_t i = plainLength; wellFormed && i < plain.size(); ++i)
        wellFormed = plain[i] == 0;
    if (wellFormed && !IsUncheckedFile())
    {
        unsigned char check[BlockSize];
        TextCheck(&plain[0], textLength, check);
        wellFormed = memcmp(check, m_check, m_nCheckLength) == 0;
    }
    if (wellFormed)
        text = CString(reinterpret_cast<const char*>(&plain[0]), (int)textLength);
    SecureZeroMemory(&plain[0], plain.size());
    return wellFormed ? Read : Damaged;
}

bool CFileCrypt::DecryptFileToString(LPCSTR path, CString& text)
{
    return DecryptFile(path, text) == Read;
}

bool CFileCrypt::EncryptStringToFile(LPCSTR text, LPCSTR path)
{
    if (path == NULL || *path == '\0')
        return false;
    if (text == NULL)
        text = "";

    std::vector<unsigned char> encrypted;
    size_t textLength = strlen(text);
    if (textLength > 0)
    {
        if (textLength >= kMaxFileSize)
            return false;
        m_nPlainLength = (unsigned int)textLength + 1;
        encrypted.resize(EncryptedSize(m_nPlainLength));
        if (!EncryptBuffer(reinterpret_cast<const unsigned char*>(text), &encrypted[0],
                           (unsigned int)encrypted.size()))
            return false;
    }
    else
    {
        m_nPlainLength = 0;
    }

    char temporaryPath[MAX_PATH];
    if (!GetTempFileNameA(DirectoryOf(path), "tvc", 0, temporaryPath))
        return false;

    FileHandle file(CreateFileA(temporaryPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, NULL));
    bool written = file.IsOpen()
                   && (encrypted.empty() || WriteAll(file.Get(), &encrypted[0], encrypted.size()))
                   && FlushFileBuffers(file.Get());
    written = file.Close() && written;
    if (written)
        written = MoveFileExA(temporaryPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!written)
        DeleteFileA(temporaryPath);
    return written;
}
