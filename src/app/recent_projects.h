// The last projects opened or saved, kept in the settings file under [Recent].
#pragma once

#include <filesystem>
#include <vector>

namespace vartesk {

class TRecentProjects
{
public:
    static constexpr int kMaxCount = 8;

    // Reads the list from the settings file; a missing or unreadable list is empty. Each file
    // is named once (by identity when it exists), by its absolute, lexically normal path.
    void Load();
    const std::vector<std::filesystem::path> &Items() const { return Paths; }
    // Puts the file first (once, under its absolute, lexically normal path) and stores the
    // list.
    void Add(const std::filesystem::path &path);
    void Remove(const std::filesystem::path &path);

private:
    void Store() const;
    std::vector<std::filesystem::path> Paths;
};

} // namespace vartesk
