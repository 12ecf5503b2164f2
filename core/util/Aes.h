// The AES block cipher (FIPS-197) for 128, 192 and 256-bit keys, one 16-byte block at a time.
// The encrypted configuration files use it block by block under one fixed key.
#pragma once

class Aes
{
public:
    enum { BlockSize = 16, MaxKeySize = 32 };

    // keyLength 16, 24 or 32 bytes; any other length leaves the cipher unusable (IsValid false,
    // and the block functions write zero blocks).
    Aes(int keyLength, const unsigned char* key);
    virtual ~Aes();

    bool IsValid() const { return m_nNk != 0; }

    void EncryptBlock(const unsigned char in[BlockSize], unsigned char out[BlockSize]) const;
    void DecryptBlock(const unsigned char in[BlockSize], unsigned char out[BlockSize]) const;

private:
    Aes(const Aes&) = delete;
    Aes& operator=(const Aes&) = delete;

    void ExpandKey();

    int m_nNb;  // columns of the state, always 4
    int m_nNk;  // key length in 32-bit words
    int m_nNr;  // rounds
    unsigned char m_key[MaxKeySize];
    // Round keys, 16 bytes per round, byte i of a round key belonging to row i % 4, column i / 4.
    unsigned char m_roundKeys[(14 + 1) * BlockSize];
};
