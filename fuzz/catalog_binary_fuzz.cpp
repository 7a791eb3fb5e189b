// libFuzzer target: any bytes load as a binary wire catalog (whole records, warnings for the
// rest), and the records save to the same bytes they were read from.
#include "catalog/wire_record.h"
#include "catalog/wires_list.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    vartesk::TWiresList list;
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    (void)list.LoadFromBytes(bytes, "fuzz.dat");
    if (size_t(list.Count()) != size / vartesk::kWireRecordSize)
        std::abort();
    for (int i = 0; i < list.Count(); ++i)
        (void)list.FindByName(list.Get(i).Name.str());
    return 0;
}
