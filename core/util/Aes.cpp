#include "Aes.h"

#include <string.h>

namespace {

// Multiplication in GF(2^8) modulo x^8 + x^4 + x^3 + x + 1.
unsigned char Multiply(unsigned char a, unsigned char b)
{
    unsigned char product = 0;
    while (b)
    {
        if (b & 1)
            product ^= a;
        a = (unsigned char)((a << 1) ^ ((a & 0x80) ? 0x1B : 0));
        b >>= 1;
    }
    return product;
}

// The S-box and its inverse, derived once from their definition (multiplicative inverse
// followed by the affine transform) rather than typed in as 512 magic numbers.
struct SubstitutionTables
{
    unsigned char forward[256];
    unsigned char inverse[256];

    SubstitutionTables()
    {
        for (int value = 0; value < 256; ++value)
        {
            unsigned char reciprocal = 0;
            for (int candidate = 1; value != 0 && candidate < 256; ++candidate)
            {
                if (Multiply((unsigned char)value, (unsigned char)candidate) == 1)
                {
                    reciprocal = (unsigned char)candidate;
                    break;
                }
            }
            unsigned char result = 0x63;
            for (int bit = 0; bit < 8; ++bit)
            {
                unsigned parity = (reciprocal >> bit) ^ (reciprocal >> ((bit + 4) % 8))
                                  ^ (reciprocal >> ((bit + 5) % 8)) ^ (reciprocal >> ((bit + 6) % 8))
                                  ^ (reciprocal >> ((bit + 7) % 8));
                result ^= (unsigned char)((parity & 1) << bit);
            }
            forward[value] = result;
            inverse[result] = (unsigned char)value;
        }
    }
};

const SubstitutionTables& Tables()
{
    static const SubstitutionTables tables; // thread-safe one-time construction
    return tables;
}

void AddRoundKey(unsigned char state[16], const unsigned char* roundKey)
{
    for (int i = 0; i < 16; ++i)
        state[i] ^= roundKey[i];
}

void SubBytes(unsigned char state[16], const unsigned char box[256])
{
    for (int i = 0; i < 16; ++i)
        state[i] = box[state[i]];
}

// The state is kept as FIPS-197 lays it out: byte i is row i % 4 of column i / 4.
void ShiftRows(unsigned char state[16], bool inverse)
{
    unsigned char copy[16];
    memcpy(copy, state, 16);
    for (int row = 1; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
        {
            int from = inverse ? (column + 4 - row) % 4 : (column + row) % 4;
            state[row + 4 * column] = copy[row + 4 * from];
        }
}

void MixColumns(unsigned char state[16], bool inverse)
{
    const unsigned char forward[4] = {2, 3, 1, 1};
    const unsigned char backward[4] = {14, 11, 13, 9};
    const unsigned char* factors = inverse ? backward : forward;
    for (int column = 0; column < 4; ++column)
    {
        unsigned char* word = state + 4 * column;
        unsigned char in[4] = {word[0], word[1], word[2], word[3]};
        for (int row = 0; row < 4; ++row)
        {
            unsigned char value = 0;
            for (int k = 0; k < 4; ++k)
                value ^= Multiply(in[k], factors[(k - row + 4) % 4]);
            word[row] = value;
        }
    }
}

} // namespace

Aes::Aes(int keyLength, const unsigned char* key)
    : m_nNb(4), m_nNk(0), m_nNr(0)
{
    memset(m_key, 0, sizeof(m_key));
    memset(m_roundKeys, 0, sizeof(m_roundKeys));
    if (key == NULL || (keyLength != 16 && keyLength != 24 && keyLength != 32))
        return;
    m_nNk = keyLength / 4;
    m_nNr = m_nNk + 6;
    memcpy(m_key, key, keyLength);
    ExpandKey();
}

Aes::~Aes()
{
    memset(m_key, 0, sizeof(m_key));
    memset(m_roundKeys, 0, sizeof(m_roundKeys));
}

void Aes::ExpandKey()
{
    const unsigned char* sbox = Tables().forward;
    const int totalWords = m_nNb * (m_nNr + 1);
    memcpy(m_roundKeys, m_key, 4 * m_nNk);
    unsigned char roundConstant = 1;
    for (int i = m_nNk; i < totalWords; ++i)
    {
        unsigned char temp[4];
        memcpy(temp, m_roundKeys + 4 * (i - 1), 4);
        if (i % m_nNk == 0)
        {
            unsigned char first = temp[0];
            temp[0] = (unsigned char)(sbox[temp[1]] ^ roundConstant);
            temp[1] = sbox[temp[2]];
            temp[2] = sbox[temp[3]];
            temp[3] = sbox[first];
            roundConstant = Multiply(roundConstant, 2);
        }
        else if (m_nNk > 6 && i % m_nNk == 4)
        {
            for (int k = 0; k < 4; ++k)
                temp[k] = sbox[temp[k]];
        }
        for (int k = 0; k < 4; ++k)
            m_roundKeys[4 * i + k] = (unsigned char)(m_roundKeys[4 * (i - m_nNk) + k] ^ temp[k]);
    }
}

void Aes::EncryptBlock(const unsigned char in[BlockSize], unsigned char out[BlockSize]) const
{
    if (!IsValid())
    {
        memset(out, 0, BlockSize);
        return;
    }
    const unsigned char* sbox = Tables().forward;
    unsigned char state[16];
    memcpy(state, in, 16);
    AddRoundKey(state, m_roundKeys);
    for (int round = 1; round <= m_nNr; ++round)
    {
        SubBytes(state, sbox);
        ShiftRows(state, false);
        if (round != m_nNr)
            MixColumns(state, false);
        AddRoundKey(state, m_roundKeys + 16 * round);
    }
    memcpy(out, state, 16);
}

void Aes::DecryptBlock(const unsigned char in[BlockSize], unsigned char out[BlockSize]) const
{
    if (!IsValid())
    {
        memset(out, 0, BlockSize);
        return;
    }
    const unsigned char* inverseBox = Tables().inverse;
    unsigned char state[16];
    memcpy(state, in, 16);
    AddRoundKey(state, m_roundKeys + 16 * m_nNr);
    for (int round = m_nNr - 1; round >= 0; --round)
    {
        ShiftRows(state, true);
        SubBytes(state, inverseBox);
        AddRoundKey(state, m_roundKeys + 16 * round);
        if (round != 0)
            MixColumns(state, true);
    }
    memcpy(out, state, 16);
}
