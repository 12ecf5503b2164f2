// Byte mutations of valid inputs, the damage a network, a disk or a hostile peer can do:
// flipped bits, inserted and deleted bytes, doubled separators, truncation, numbers swapped
// for huge or negative ones, a GBK lead byte at the end, embedded NULs, and plain random
// bytes. Everything follows one seed, so a failure is reproduced by the same seed.
#pragma once
#include <cstdint>
#include <random>
#include <string>

namespace mutation {

class Mutator
{
public:
    explicit Mutator(uint32_t seed) : m_random(seed) {}

    // One to three mutations of input.
    std::string Mutate(const std::string& input);
    // Random bytes, 0 to maxLength of them.
    std::string RandomBytes(size_t maxLength);
    // A number below n (n > 0).
    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }

private:
    void MutateOnce(std::string& text);
    void FlipBit(std::string& text);
    void InsertByte(std::string& text);
    void DeleteBytes(std::string& text);
    void DuplicateSeparator(std::string& text);
    void Truncate(std::string& text);
    void ReplaceNumber(std::string& text);
    void AppendLeadByte(std::string& text);
    void InsertNul(std::string& text);
    void RepeatPiece(std::string& text);
    void RepeatWhole(std::string& text);

    std::mt19937 m_random;
};

}  // namespace mutation
