// libFuzzer target: the support import over any workbook bytes that open ends with a project of
// sections of two supports or more, or with the project as it was.
#include "model/project.h"
#include "reports/support_import.h"
#include "xls/xls_error.h"
#include "xls/xls_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class TQuiet : public vartesk::TMessages
{
public:
    void Tell(vartesk::TMessageKind, const std::string &) override { }
    bool Ask(const std::string &) override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    vartesk::xls::TXLSFile file;
    try {
        file.OpenBytes(std::string(reinterpret_cast<const char *>(data), size));
    } catch (const vartesk::xls::EXLSError &) {
        return 0;
    } catch (const vartesk::xls::ECFileError &) {
        return 0;
    } catch (const vartesk::xls::EBiffError &) {
        return 0;
    }
    vartesk::TProject project;
    project.Parcels.Add(std::make_unique<vartesk::TParcel>());
    TQuiet quiet;
    const vartesk::TSupportImport result = vartesk::ImportSupports(project, file.Workbook(), quiet);
    if (result.Sections == 0 && project.Parcels.Count() != 1)
        std::abort(); // nothing read: the project as it was
    if (result.Sections > 0) {
        if (project.Parcels.Count() != result.Sections)
            std::abort();
        for (const auto &section : project.Parcels)
            if (section->Pillars.Count() < 2)
                std::abort();
    }
    return 0;
}
