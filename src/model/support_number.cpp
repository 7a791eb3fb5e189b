// Support numbers as prefix, digits and suffix.
#include "model/support_number.h"

#include "model/pillar.h"

#include <algorithm>
#include <limits>

namespace vartesk {

TSupportNumber SplitNumber(std::string_view nomer)
{
    // Byte by byte is safe for UTF-8: the bytes '0'..'9' never occur inside a multi-byte
    // character, so each character lands whole in the prefix or in the suffix.
    constexpr long long kMax = std::numeric_limits<int>::max();
    TSupportNumber result;
    long long number = 0;
    bool digitSeen = false;
    for (char c : nomer) {
        if (c >= '0' && c <= '9') {
            digitSeen = true;
            number = std::min(number * 10 + (c - '0'), kMax);
        } else if (digitSeen) {
            result.Suffix += c;
        } else {
            result.Prefix += c;
        }
    }
    result.Number = int(number);
    return result;
}

void SetNumber(TPillar &support, int number, const std::string &prefix, const std::string &suffix)
{
    support.Nomer = prefix + std::to_string(number) + suffix;
}

int CompareNumber(const TPillar &self, const TPillar &other)
{
    return SplitNumber(self.Nomer.str()).Number < SplitNumber(other.Nomer.str()).Number ? -1 : 1;
}

} // namespace vartesk
