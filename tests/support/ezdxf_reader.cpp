// Running tests/cad/dxf_check.py over a DXF file.
#include "ezdxf_reader.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <charconv>
#include <sstream>

namespace vartesk::test {

namespace {

// Debian's interpreter: the python3 of PATH may be one without Debian's packages.
const char *const kPython = "/usr/bin/python3";

} // namespace

std::optional<std::vector<std::string>> EzdxfEntities(const std::filesystem::path &dxf)
{
    if (!std::filesystem::exists(kPython))
        return std::nullopt;
    std::string output;
    const int code
        = RunCommand(std::string(kPython) + " " VARTESK_SOURCE_DIR "/tests/cad/dxf_check.py '"
                         + dxf.string() + "'",
                     output);
    if (code == 77)
        return std::nullopt;
    if (code != 0) {
        ADD_FAILURE() << "ezdxf on " << dxf << " (exit " << code << "):\n" << output;
        return std::vector<std::string> {};
    }
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

std::string EzdxfNumber(double v)
{
    char buffer[400];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 4);
    const std::string text(buffer, r.ptr);
    return text == "-0.0000" ? "0.0000" : text;
}

std::string EzdxfPoint(double x, double y)
{
    return EzdxfNumber(x) + "," + EzdxfNumber(y);
}

std::string EzdxfText(double x, double y, double height, int colour, const std::string &text)
{
    return "TEXT " + EzdxfNumber(x) + " " + EzdxfNumber(y) + " h=" + EzdxfNumber(height)
        + " c=" + std::to_string(colour) + " " + text;
}

std::string EzdxfLine(double x1, double y1, double x2, double y2, int colour)
{
    return "LINE " + EzdxfNumber(x1) + " " + EzdxfNumber(y1) + " " + EzdxfNumber(x2) + " "
        + EzdxfNumber(y2) + " c=" + std::to_string(colour);
}

} // namespace vartesk::test
