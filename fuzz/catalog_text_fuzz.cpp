// libFuzzer target: a catalog text export of arbitrary bytes converts whole or ends with the
// conversion error that names its line, whatever the separators, lengths and numbers.
#include "base/number_text.h"
#include "catalog/wires_list.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    try {
        const vartesk::TWireText text = vartesk::ParseWireText(
            std::string(reinterpret_cast<const char *>(data), size), "fuzz.txt");
        vartesk::TWiresList list;
        for (const auto &entry : text.Entries)
            list.Add(entry);
        for (int i = 0; i < list.Count(); ++i)
            (void)list.IndexOfName(list.Get(i).Name.str());
    } catch (const vartesk::EConvertError &) { }
    return 0;
}
