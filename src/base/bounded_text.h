// Text of a fixed capacity in characters, cut on assignment.
#pragma once

#include "base/utf8.h"

#include <string>
#include <string_view>

namespace vartesk {

template<size_t N>
class TBoundedText
{
public:
    static constexpr size_t Capacity = N;

    TBoundedText() = default;
    TBoundedText(std::string_view s) { *this = s; }
    TBoundedText(const char *s) { *this = std::string_view(s); }
    TBoundedText &operator=(std::string_view s)
    {
        Value = Utf8Prefix(s, N);
        return *this;
    }
    TBoundedText &operator=(const std::string &s) { return *this = std::string_view(s); }
    TBoundedText &operator=(const char *s) { return *this = std::string_view(s); }

    const std::string &str() const { return Value; }
    operator const std::string &() const { return Value; }
    bool empty() const { return Value.empty(); }
    bool operator==(const TBoundedText &other) const = default;
    bool operator==(std::string_view s) const { return Value == s; }

private:
    std::string Value;
};

} // namespace vartesk
