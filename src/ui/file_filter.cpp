// Conversion of the file dialogs' filter and extension rules to what Qt's dialog takes.
#include "ui/file_filter.h"

#include <vector>

namespace vartesk::ui {

namespace {

std::vector<std::string_view> SplitKeepingEmpty(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// "*.xls;*.xlsx" as Qt lists them: "*.xls *.xlsx". No pattern at all means every file.
std::string QtPatterns(std::string_view patterns)
{
    std::string result;
    for (auto part : SplitKeepingEmpty(patterns, ';')) {
        part = Trimmed(part);
        if (part.empty())
            continue;
        if (!result.empty())
            result += ' ';
        result += part;
    }
    return result.empty() ? "*" : result;
}

std::string QtFilterEntry(std::string_view description, std::string_view patterns)
{
    const std::string qtPatterns = QtPatterns(patterns);
    description = Trimmed(description);
    // Qt reads the patterns from the last parentheses of an entry, or takes an entry without
    // them as the patterns themselves.
    if (description.empty() || description == qtPatterns)
        return qtPatterns;
    const std::string ownList = "(" + qtPatterns + ")";
    if (description.ends_with(ownList))
        return std::string(description);
    return std::string(description) + " " + ownList;
}

} // namespace

std::string QtNameFilter(std::string_view pipeFilter)
{
    if (Trimmed(pipeFilter).empty())
        return {};
    const auto fields = SplitKeepingEmpty(pipeFilter, '|');
    std::string result;
    for (size_t i = 0; i < fields.size(); i += 2) {
        // A description without its patterns (the bare "*.vsk") names the patterns itself.
        const std::string_view patterns = i + 1 < fields.size() ? fields[i + 1] : fields[i];
        if (!result.empty())
            result += ";;";
        result += QtFilterEntry(fields[i], patterns);
    }
    return result;
}

std::filesystem::path WithDefaultExtension(const std::filesystem::path &chosen,
                                           std::string_view extension)
{
    while (extension.starts_with('.'))
        extension.remove_prefix(1);
    if (extension.empty() || !chosen.has_filename() || chosen.filename().has_extension())
        return chosen;
    auto result = chosen;
    result += ".";
    result += std::string(extension);
    return result;
}

bool IsNamePattern(std::string_view initialName)
{
    return initialName.find_first_of("*?") != std::string_view::npos;
}

} // namespace vartesk::ui
