#include "KeyOrder.h"

#include <winsock2.h>
#include <windows.h>

#include <chrono>
#include <random>

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

std::function<int(int)> SeededPicker()
{
    static std::mt19937 generator((unsigned)std::chrono::high_resolution_clock::now().time_since_epoch().count() ^
                                  (unsigned)::GetCurrentProcessId() << 16);
    return [](int n) { return (int)(generator() % (unsigned)n); };
}

}  // namespace keyguard
