// The about window's texts, and the document the Help command opens.
#pragma once

#include <filesystem>
#include <string>

namespace vartesk {

struct TAboutText
{
    std::string Caption; // "About Program"
    std::string Name; // "Vartesk"
    std::string Description; // several lines
    std::string Version; // "version 0.1.0"
};

// In the current language.
TAboutText AboutText();

// The help document of the current language when it is installed, otherwise the user guide
// shipped with the program; empty when neither is there.
std::filesystem::path HelpTarget();
// True when `target` is the user guide, which the program shows itself.
bool IsUserGuide(const std::filesystem::path &target);

} // namespace vartesk
