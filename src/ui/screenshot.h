// A widget's picture as a PNG file.
#pragma once

#include <filesystem>

class QWidget;

namespace vartesk::ui {

// Grabs `widget` as it is shown and writes it as PNG to `path` through the atomic write, so
// that a failed picture never leaves half a file. Throws the file's error.
void SaveScreenshot(QWidget &widget, const std::filesystem::path &path);

} // namespace vartesk::ui
