// libFuzzer target: a climate file of arbitrary bytes imports whole or ends with the reader's
// error naming its line, and then leaves the project exactly as it was.
#include "model/project.h"
#include "reports/climate_import.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    vartesk::TProject project;
    project.Klimat.Tols = 12.5; // a value the file must either replace or leave alone
    vartesk::TProject before;
    before.Assign(project);
    try {
        vartesk::ImportClimateText(project,
                                   std::string(reinterpret_cast<const char *>(data), size));
    } catch (const vartesk::EClimateFileError &e) {
        if (e.Line < 1 || !project.Equals(before))
            std::abort(); // a failed import must name a line and change nothing
    }
    return 0;
}
