// Dampers counted by type for the report's totals.
#include "dampers/damper_tally.h"

namespace vartesk {

void TOC_List::AddOrIncrement(const std::string &name, int n)
{
    const int i = IndexOf(name);
    if (i >= 0)
        Items[size_t(i)].Quantity += n;
    else
        Items.push_back({name, n});
}

int TOC_List::IndexOf(const std::string &name) const
{
    for (size_t i = 0; i < Items.size(); ++i) {
        if (Items[i].Name == name)
            return int(i);
    }
    return -1;
}

} // namespace vartesk
