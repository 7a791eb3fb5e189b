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

} // namespace

void TRecentProjects::Load()
{
    Paths.clear();
    for (const auto &[name, value] : ReadSettingsSection(kSection))
        if (name.rfind("File", 0) == 0 && Storable(value) && int(Paths.size()) < kMaxCount
            && std::find(Paths.begin(), Paths.end(), value) == Paths.end())
            Paths.emplace_back(value);
}

void TRecentProjects::Add(const std::filesystem::path &path)
{
    if (!Storable(path.string()))
        return;
    Remove(path);
    Paths.insert(Paths.begin(), path);
    if (int(Paths.size()) > kMaxCount)
        Paths.resize(kMaxCount);
    Store();
}

void TRecentProjects::Remove(const std::filesystem::path &path)
{
    const auto it = std::find(Paths.begin(), Paths.end(), path);
    if (it == Paths.end())
        return;
    Paths.erase(it);
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
