// Dampers counted by type for the report's totals.
#pragma once

#include <string>
#include <vector>

namespace vartesk {

struct TObjCount
{
    std::string Name;
    int Quantity = 1;
};

// Items keep the order in which their names first appeared.
class TOC_List
{
public:
    // Adds n to the first item named exactly `name` (case-sensitive), or appends one.
    void AddOrIncrement(const std::string &name, int n);
    // Index of the first item named exactly `name`, or -1.
    int IndexOf(const std::string &name) const;
    int Count() const { return int(Items.size()); }
    const TObjCount &Get(int i) const { return Items.at(size_t(i)); }
    void Clear() { Items.clear(); }

private:
    std::vector<TObjCount> Items;
};

} // namespace vartesk
