// The damper models as the section settings store them: codes and their names.
#include "dampers/damper_model_name.h"

#include <array>

namespace vartesk {

namespace {

constexpr std::array<std::string_view, 3> kModelNames = {"ГВП", "ГВУ", "ГВС"};

} // namespace

int DamperModelCode(std::string_view name)
{
    for (size_t i = 0; i < kModelNames.size(); ++i) {
        if (name == kModelNames[i])
            return int(i);
    }
    return kModelGvp;
}

std::string DamperModelName(int code)
{
    if (code < 0 || code >= int(kModelNames.size()))
        code = kModelGvp;
    return std::string(kModelNames[size_t(code)]);
}

} // namespace vartesk
