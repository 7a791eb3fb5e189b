// Group names of the wire catalog; they are fixed texts, not entries of the string table.
#include "catalog/wire_groups.h"

#include "l10n/language.h"

namespace vartesk {

namespace {

struct TGroupName
{
    const char *English;
    const char *Russian;
};

// clang-format off
constexpr TGroupName kGroupNames[kWireGroupCount] = {
    {"Reference fully",                                                  "Справочник полностью"},
    {"Wires according to National Standard 839-80*Е",                   "Провода ГОСТ 839-80*Е"},
    {"Wires according to Technical Conditions 3511-001-40914170-2012",  "Провода ТУ 3511-001-40914170-2012"},
    {"Wires according to Technical Conditions 16-707.183-81",           "Провода ТУ 16-705.183-81"},
    {"Self-supporting insulated wires",                                  "Самонесущие изолированные провода"},
    {"Steel wires, cords, ropes",                                        "Стальные провода, тросы, канаты"},
    {"Self-supporting fiber optic cables",                               "Самонесущие оптоволоконные кабели"},
    {"Others",                                                           "Прочие"},
};
// clang-format on

} // namespace

std::string WireGroupName(int group)
{
    if (group < 0 || group >= kWireGroupCount)
        return {};
    return IsEnglish() ? kGroupNames[group].English : kGroupNames[group].Russian;
}

} // namespace vartesk
