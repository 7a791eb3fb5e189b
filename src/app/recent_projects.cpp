// The recent-projects list in the settings file.
#include "app/recent_projects.h"

#include "base/file_io.h"
#include "l10n/settings.h"

#include <algorithm>

namespace vartesk {

namespace {

constexpr const char *kSection = "Recent";

// The settings file keeps one value a line with its blanks trimmed, so a path that starts or
// ends with a blank, or holds a line break, is not remembered rather than remembered wrong.
bool Storable(const std::string &text)
{
    return !text.empty() && text.find_first_of("\r\n") == std::string::npos && text.front() != ' '
        && text.back() != ' ' && text.front() != '\t' && text.back() != '\t';
}

// One spelling per file, whatever folder the program runs in: "demo.vsk", "./demo.vsk" and
// the full path are the same entry.
std::filesystem::path Normal(const std::filesystem::path &path)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return (ec ? path : absolute).lexically_normal();
}

} // namespace

void TRecentProjects::Load()
{
    Paths.clear();
    for (const auto &[name, value] : ReadSettingsSection(kSection)) {
        if (name.rfind("File", 0) != 0 || !Storable(value) || int(Paths.size()) == kMaxCount)
            continue;
        const std::filesystem::path path = Normal(value);
        if (std::none_of(
                Paths.begin(), Paths.end(), [&](const auto &p) { return SameFile(p, path); }))
            Paths.push_back(path);
    }
}

void TRecentProjects::Add(const std::filesystem::path &path)
{
    const std::filesystem::path normal = Normal(path);
    if (!Storable(normal.string()))
        return;
    // Links and other spellings of the file go too: the list names it once, as last opened.
    std::erase_if(Paths, [&](const auto &p) { return SameFile(p, normal); });
    Paths.insert(Paths.begin(), normal);
    if (int(Paths.size()) > kMaxCount)
        Paths.resize(kMaxCount);
    Store();
}

void TRecentProjects::Remove(const std::filesystem::path &path)
{
    const std::filesystem::path normal = Normal(path);
    if (std::erase_if(Paths, [&](const auto &p) { return SameFile(p, normal); }) > 0)
        Store();
}

void TRecentProjects::Store() const
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (size_t i = 0; i < Paths.size(); ++i)
        entries.emplace_back("File" + std::to_string(i + 1), Paths[i].string());
    // A list that cannot be stored costs the person nothing but the menu's shortcut; it is
    // not worth a message at every open and save.
    try {
        WriteSettingsSection(kSection, entries);
    } catch (const EFileError &) { }
}

} // namespace vartesk
