// Filling "%s" and "%d" placeholders of localized messages.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vartesk {

// Replaces each "%s" or "%d" in turn by the next argument; "%%" gives "%". "%2$s" gives the
// second argument wherever it stands, for a language that names things in another order.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace vartesk
