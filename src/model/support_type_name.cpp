// A support type's name.
#include "model/support_type_name.h"

#include "l10n/string_table.h"

namespace vartesk {

std::string SupportTypeName(TSupportType type)
{
    switch (type) {
    case TSupportType::Strain:
        return LocalString("Strain");
    case TSupportType::Intermediate:
        return LocalString("Intermediate");
    case TSupportType::DeadEnd:
        return LocalString("Dead-end");
    }
    return std::to_string(int(type));
}

} // namespace vartesk
