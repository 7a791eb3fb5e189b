// The main window's placement in the settings file.
#include "app/window_placement.h"

#include "base/number_text.h"
#include "l10n/settings.h"

#include <algorithm>
#include <optional>

namespace vartesk {

namespace {

constexpr const char *kSection = "Window";
constexpr int kPages = 4;

// Fits [start, start + length) into [areaStart, areaStart + areaLength), length first.
void FitSpan(int &start, int length, int areaStart, int areaLength)
{
    // In long long: a start near INT_MAX plus a length must not wrap.
    const long long last = static_cast<long long>(areaStart) + areaLength - length;
    start = int(std::clamp(static_cast<long long>(start),
                           static_cast<long long>(areaStart),
                           std::max(last, static_cast<long long>(areaStart))));
}

} // namespace

TWindowPlacement
TWindowPlacement::Read(const std::vector<std::pair<std::string, std::string>> &entries)
{
    std::optional<int> x, y, width, height, maximized, page;
    for (const auto &[name, value] : entries) {
        const std::optional<int> number = TryParseInt(value);
        if (name == "X")
            x = number;
        else if (name == "Y")
            y = number;
        else if (name == "Width")
            width = number;
        else if (name == "Height")
            height = number;
        else if (name == "Maximized")
            maximized = number;
        else if (name == "Page")
            page = number;
    }
    TWindowPlacement p;
    if (x && y) {
        p.HasPosition = true;
        p.X = *x;
        p.Y = *y;
    }
    if (width && height) {
        p.HasSize = true;
        p.Width = *width;
        p.Height = *height;
    }
    p.Maximized = maximized.value_or(0) != 0;
    p.Page = page && *page >= 1 && *page <= kPages ? *page : 1;
    return p;
}

std::vector<std::pair<std::string, std::string>> TWindowPlacement::Entries() const
{
    return {{"X", std::to_string(X)},
            {"Y", std::to_string(Y)},
            {"Width", std::to_string(Width)},
            {"Height", std::to_string(Height)},
            {"Maximized", Maximized ? "1" : "0"},
            {"Page", std::to_string(Page)}};
}

TWindowPlacement
TWindowPlacement::FittedTo(const TScreenArea &area, int minWidth, int minHeight) const
{
    TWindowPlacement p = *this;
    if (p.HasSize && (p.Width < minWidth || p.Height < minHeight))
        p.HasSize = false;
    if (p.HasSize) {
        p.Width = std::min(p.Width, std::max(area.Width, minWidth));
        p.Height = std::min(p.Height, std::max(area.Height, minHeight));
    }
    if (p.HasPosition) {
        FitSpan(p.X, p.HasSize ? p.Width : minWidth, area.X, area.Width);
        FitSpan(p.Y, p.HasSize ? p.Height : minHeight, area.Y, area.Height);
    }
    return p;
}

TWindowPlacement LoadWindowPlacement()
{
    return TWindowPlacement::Read(ReadSettingsSection(kSection));
}

void SaveWindowPlacement(const TWindowPlacement &placement)
{
    WriteSettingsSection(kSection, placement.Entries());
}

} // namespace vartesk
