// Command registry and argument helpers.
#include "cli/command.h"

#include "base/message_quote.h"

#include <algorithm>

namespace vartesk::cli {

namespace {

// Whether `name` (or "name=...") stands among the items from `from` on, before any "--".
bool GivenFrom(const std::vector<std::string> &items, size_t from, const std::string &name)
{
    for (size_t i = from; i < items.size() && items[i] != "--"; ++i)
        if (items[i] == name || items[i].rfind(name + "=", 0) == 0)
            return true;
    return false;
}

EUsageError GivenTwice(const std::string &name)
{
    return EUsageError("option " + name + " is given twice");
}

std::vector<TCommand> &Table()
{
    static std::vector<TCommand> table;
    return table;
}

} // namespace

TCommandRegistrar::TCommandRegistrar(TCommand command)
{
    auto &table = Table();
    table.push_back(std::move(command));
    std::sort(table.begin(), table.end(), [](const TCommand &a, const TCommand &b) {
        return a.Name < b.Name;
    });
}

const std::vector<TCommand> &Commands()
{
    return Table();
}

std::optional<std::string> TArgs::TakeOption(const std::string &name)
{
    for (size_t i = 0; i < Items.size(); ++i) {
        if (Items[i] == "--")
            break;
        if (Items[i] == name) {
            if (i + 1 >= Items.size())
                throw EUsageError("option " + name + " needs a value");
            std::string value = Items[i + 1];
            Items.erase(Items.begin() + long(i), Items.begin() + long(i) + 2);
            if (GivenFrom(Items, i, name))
                throw GivenTwice(name);
            return value;
        }
        if (Items[i].rfind(name + "=", 0) == 0) {
            std::string value = Items[i].substr(name.size() + 1);
            Items.erase(Items.begin() + long(i));
            if (GivenFrom(Items, i, name))
                throw GivenTwice(name);
            return value;
        }
    }
    return std::nullopt;
}

bool TArgs::TakeFlag(const std::string &name)
{
    for (size_t i = 0; i < Items.size(); ++i) {
        if (Items[i] == "--")
            break;
        if (Items[i] == name) {
            Items.erase(Items.begin() + long(i));
            if (GivenFrom(Items, i, name))
                throw GivenTwice(name);
            return true;
        }
    }
    return false;
}

std::vector<std::string> TArgs::Positional(size_t min, size_t max) const
{
    std::vector<std::string> out;
    bool literal = false;
    for (const auto &item : Items) {
        if (!literal && item == "--") {
            literal = true;
            continue;
        }
        if (!literal && item.size() > 1 && item[0] == '-')
            throw EUsageError("unknown option " + item);
        out.push_back(item);
    }
    if (out.size() < min)
        throw EUsageError("missing argument");
    if (out.size() > max)
        throw EUsageError("unexpected argument " + out[max]);
    return out;
}

TLanguage ParseLanguageName(const std::string &value)
{
    if (value == "en")
        return TLanguage::English;
    if (value == "ru")
        return TLanguage::Russian;
    throw EUsageError("language must be en or ru, not " + QuoteForMessage(value));
}

TUnitSystem ParseUnitsName(const std::string &value)
{
    if (value == "daN")
        return TUnitSystem::DaN;
    if (value == "kN")
        return TUnitSystem::KN;
    throw EUsageError("units must be daN or kN, not " + QuoteForMessage(value));
}

} // namespace vartesk::cli
