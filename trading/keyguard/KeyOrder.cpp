#include "KeyOrder.h"

#include <winsock2.h>
#include <windows.h>
#include <bcrypt.h>

namespace keyguard {

std::vector<int> ShuffleDigits(const std::function<int(int)>& pick)
{
    std::vector<int> left{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::vector<int> order;
    while (!left.empty()) {
        int index = pick((int)left.size());
        if (index < 0 || index >= (int)left.size())
            index = 0;
        order.push_back(left[index]);
        left.erase(left.begin() + index);
    }
    return order;
}

int PickBelow(int n, const std::function<uint32_t()>& nextWord)
{
    if (n <= 1)
        return 0;
    const uint32_t range = (uint32_t)n;
    // The largest multiple of n that fits: words at or above it would favour small indexes.
    const uint32_t limit = UINT32_MAX - UINT32_MAX % range;
    uint32_t word;
    do
        word = nextWord();
    while (word >= limit);
    return (int)(word % range);
}

namespace {
uint32_t SystemRandomWord()
{
    uint32_t word = 0;
    if (::BCryptGenRandom(NULL, reinterpret_cast<PUCHAR>(&word), sizeof(word), BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0)
        // Without the system's source no layout is safe; a fixed one at least hides nothing
        // it could give away.
        return 0;
    return word;
}
}  // namespace

std::function<int(int)> SystemPicker()
{
    return [](int n) { return PickBelow(n, SystemRandomWord); };
}

}  // namespace keyguard
