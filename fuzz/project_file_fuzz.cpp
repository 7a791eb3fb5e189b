// libFuzzer target: a project file of arbitrary bytes loads or ends with the reader's own
// error; what loads saves, and its saved bytes load again to the same bytes.
#include "model/project.h"
#include "model/projectfile/project_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    vartesk::TProject project;
    try {
        (void)vartesk::LoadProjectBytes(std::string(reinterpret_cast<const char *>(data), size),
                                        project);
    } catch (const vartesk::EProjectFileError &) {
        return 0;
    }
    const std::string saved = vartesk::ProjectFileBytes(project);
    vartesk::TProject again;
    (void)vartesk::LoadProjectBytes(saved, again);
    if (vartesk::ProjectFileBytes(again) != saved)
        std::abort(); // a saved project must read back to itself
    return 0;
}
