// The file dialogs' requests in the form Qt's file dialog takes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vartesk::ui {

// The requests' filter, "Description|patterns|Description|patterns..." ("CAD file(*.dxf)|*.dxf",
// "*.xls|*.xls", or a bare "*.vsk"), as Qt's name filters "Description (patterns);;...".
// Patterns listed with ";" become Qt's space-separated list; a description that already ends
// with its patterns in parentheses, or is the patterns themselves, is kept as it is. An empty
// filter gives an empty text: every file.
std::string QtNameFilter(std::string_view pipeFilter);

// The chosen name with "." and the extension added when its file name has none (a dot in a
// folder name does not count); unchanged when the extension is empty.
std::filesystem::path WithDefaultExtension(const std::filesystem::path &chosen,
                                           std::string_view extension);

// True when the request's initial name is a pattern ("*.xls") to show the files by, not a name
// to propose.
bool IsNamePattern(std::string_view initialName);

} // namespace vartesk::ui
