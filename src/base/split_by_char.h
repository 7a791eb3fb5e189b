// Splitting at a separator where a run of separators counts as one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vartesk {

// Leading separators are skipped, a run counts as one, an empty last part is dropped:
// "a;b" and ";;a;;b;" both give {"a", "b"}; "" gives none.
std::vector<std::string> SplitByChar(std::string_view text, char separator);

} // namespace vartesk
