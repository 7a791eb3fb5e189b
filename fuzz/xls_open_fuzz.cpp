// libFuzzer target: OpenFile on arbitrary bytes must end in a workbook or one of the
// engine's errors, never a crash, hang or unbounded allocation; what opens must also save.
#include "xls/xls_error.h"
#include "xls/xls_file.h"

#include <cstddef>
#include <cstdint>
#include <string>

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
    try {
        const std::string saved = file.SaveToBytes();
        vartesk::xls::TXLSFile again;
        again.OpenBytes(saved);
    } catch (const vartesk::xls::EXLSError &e) {
        if (e.Code() != 12) // a workbook read without sheets cannot be saved: fine
            throw;
    }
    return 0;
}
