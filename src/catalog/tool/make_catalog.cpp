// Build tool: turns the catalog source in data/ into the base_provod.dat shipped beside the
// program, through the program's own import and save.
//
// The source is the text-export form with two additions for reviewers: it is UTF-8, so that
// it reads in any editor and diff, and a line whose first non-blank character is '#' is a
// comment. Comments are a property of the source only; the program's import knows nothing
// of them, because an exported type name may itself begin with '#'. Comment lines are
// blanked rather than removed, so that a message names the line of the source file.
//
// Being stricter than the import, the tool also refuses what would silently spoil the
// shipped data: anything the import only warns about (a name longer than 16 characters, a
// figure of zero or less), a name twice (only the first is ever found), a group outside
// 1..7, and an expansion coefficient that is not above zero.
#include "base/cp1251.h"
#include "base/file_io.h"
#include "base/file_limits.h"
#include "base/number_text.h"
#include "catalog/wires_list.h"
#include "l10n/language.h"

#include <iostream>
#include <set>
#include <stdexcept>

using namespace vartesk;

namespace {

class ESourceError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

std::string Located(const std::string &source, int line, const std::string &what)
{
    return source + ", line " + std::to_string(line) + ": " + what;
}

// The source as the import reads it: Windows-1251 lines ended by CR LF, comments blanked.
std::string PrepareSource(const std::string &utf8, const std::string &source)
{
    std::string out;
    size_t pos = 0;
    int line = 0;
    while (pos < utf8.size()) {
        size_t end = utf8.find('\n', pos);
        if (end == std::string::npos)
            end = utf8.size();
        std::string text = utf8.substr(pos, end - pos);
        pos = end + 1;
        ++line;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        const size_t first = text.find_first_not_of(" \t");
        if (first != std::string::npos && text[first] == '#')
            text.clear();
        bool lossless = true;
        out += Utf8ToCp1251(text, &lossless);
        if (!lossless)
            throw ESourceError(Located(source, line, "a character outside Windows-1251"));
        out += "\r\n";
    }
    return out;
}

void CheckEntries(const TWiresList &list)
{
    std::set<std::string> names;
    for (int i = 0; i < list.Count(); ++i) {
        const TWireRecord rec = list.Get(i);
        const std::string name = rec.Name;
        if (name.empty())
            throw ESourceError("an entry without a name");
        if (!names.insert(name).second)
            throw ESourceError("the name \"" + name + "\" appears twice");
        if (rec.Group < 1 || rec.Group > 7)
            throw ESourceError(name + ": group " + std::to_string(rec.Group) + " is not 1..7");
        for (double figure : {rec.Diameter, rec.Section, rec.Weight, rec.Modulus, rec.ThermalCoef})
            if (!(figure > 0))
                throw ESourceError(name + ": a figure is not above zero");
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_catalog SOURCE.txt OUTPUT.dat\n";
        return 2;
    }
    const std::string source = argv[1];
    try {
        UseLanguage(TLanguage::English);
        const std::string text = PrepareSource(ReadFileBytes(source, kMaxCatalogFileBytes), source);
        const TWireText parsed = ParseWireText(text, source);
        if (!parsed.Warnings.empty())
            throw ESourceError(parsed.Warnings.front()
                               + " (the shipped catalog takes nothing the import warns about)");
        TWiresList list;
        for (const auto &rec : parsed.Entries)
            list.Add(rec);
        CheckEntries(list);
        list.SaveToFile(argv[2]);
        std::cout << "make_catalog: " << list.Count() << " entries written to " << argv[2] << "\n";
        return 0;
    } catch (const std::exception &e) {
        std::cerr << "make_catalog: " << e.what() << "\n";
        return 1;
    }
}
