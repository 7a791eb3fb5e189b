// The settings file: a small INI with one [Param] section.
#include "l10n/settings.h"

#include "base/file_io.h"
#include "base/file_limits.h"
#include "base/number_text.h"
#include "base/text_format.h"
#include "l10n/string_table.h"

#include <cstdlib>
#include <sstream>
#include <vector>

namespace vartesk {

namespace {

std::filesystem::path ConfigHome()
{
    if (const char *xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return xdg;
    if (const char *home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".config";
    return {};
}

std::string Trimmed(const std::string &s)
{
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// The file's lines; none when there is no file. EFileError when there is one that cannot be
// read (too large, not a regular file, no permission).
std::vector<std::string> ReadStoredLines()
{
    std::vector<std::string> lines;
    std::error_code ec;
    if (std::filesystem::status(SettingsFile(), ec).type() == std::filesystem::file_type::not_found)
        return lines;
    std::istringstream in(ReadFileBytes(SettingsFile(), kMaxSettingsFileBytes));
    for (std::string line; std::getline(in, line);)
        lines.push_back(Trimmed(line));
    return lines;
}

// For reading a value: a file that cannot be read gives the defaults.
std::vector<std::string> ReadLines()
{
    try {
        return ReadStoredLines();
    } catch (const EFileError &) {
        return {};
    }
}

// For rewriting the file: a file that cannot be read is never replaced, since what it holds
// would be lost with it (the language, the units, the recent projects, the window).
std::vector<std::string> LinesToRewrite()
{
    try {
        return ReadStoredLines();
    } catch (const EFileError &e) {
        throw EFileError(FormatText(LocalString("Settings_unreadable"), {e.what()}));
    }
}

bool IsSection(const std::string &line)
{
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// Sets name=value in the [Param] section of lines, adding the entry (and the section) when
// missing.
void SetLine(std::vector<std::string> &lines, const std::string &name, int value)
{
    const std::string entry = name + "=" + std::to_string(value);
    bool inParam = false;
    bool done = false;
    long paramEnd = -1;
    for (size_t i = 0; i < lines.size() && !done; ++i) {
        if (IsSection(lines[i])) {
            inParam = lines[i] == "[Param]";
            if (inParam)
                paramEnd = long(i) + 1;
            continue;
        }
        if (!inParam)
            continue;
        paramEnd = long(i) + 1;
        const auto eq = lines[i].find('=');
        if (eq != std::string::npos && Trimmed(lines[i].substr(0, eq)) == name) {
            lines[i] = entry;
            done = true;
        }
    }
    if (!done) {
        if (paramEnd < 0) {
            lines.push_back("[Param]");
            paramEnd = long(lines.size());
        }
        lines.insert(lines.begin() + paramEnd, entry);
    }
}

} // namespace

std::filesystem::path SettingsFile()
{
    return ConfigHome() / "Morvik" / "Lorvana" / "settings.ini";
}

std::optional<int> ReadSetting(const std::string &name)
{
    bool inParam = false;
    for (const auto &line : ReadLines()) {
        if (IsSection(line)) {
            inParam = line == "[Param]";
            continue;
        }
        const auto eq = line.find('=');
        if (!inParam || eq == std::string::npos || Trimmed(line.substr(0, eq)) != name)
            continue;
        return TryParseInt(Trimmed(line.substr(eq + 1)));
    }
    return std::nullopt;
}

namespace {

void WriteLines(const std::vector<std::string> &lines)
{
    std::string text;
    for (const auto &line : lines)
        text += line + "\n";
    const auto folder = SettingsFile().parent_path();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        throw EFileError("Cannot create folder \"" + folder.string() + "\". " + ec.message());
    WriteFileAtomic(SettingsFile(), text);
}

} // namespace

void WriteSettings(const std::vector<std::pair<std::string, int>> &values)
{
    std::vector<std::string> lines = LinesToRewrite();
    for (const auto &[name, value] : values)
        SetLine(lines, name, value);
    WriteLines(lines);
}

std::vector<std::pair<std::string, std::string>> ReadSettingsSection(const std::string &section)
{
    std::vector<std::pair<std::string, std::string>> entries;
    bool inside = false;
    for (const auto &line : ReadLines()) {
        if (IsSection(line)) {
            inside = line == "[" + section + "]";
            continue;
        }
        const auto eq = line.find('=');
        if (inside && eq != std::string::npos)
            entries.emplace_back(Trimmed(line.substr(0, eq)), Trimmed(line.substr(eq + 1)));
    }
    return entries;
}

void WriteSettingsSection(const std::string &section,
                          const std::vector<std::pair<std::string, std::string>> &entries)
{
    std::vector<std::string> kept;
    bool inside = false;
    for (const auto &line : LinesToRewrite()) {
        if (IsSection(line))
            inside = line == "[" + section + "]";
        if (!inside)
            kept.push_back(line);
    }
    while (!kept.empty() && kept.back().empty())
        kept.pop_back();
    if (!entries.empty()) {
        kept.push_back("[" + section + "]");
        for (const auto &[name, value] : entries)
            kept.push_back(name + "=" + value);
    }
    WriteLines(kept);
}

void WriteSetting(const std::string &name, int value)
{
    WriteSettings({{name, value}});
}

} // namespace vartesk
