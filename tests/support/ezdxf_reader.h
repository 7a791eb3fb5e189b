// Our DXF files read by Debian's python3-ezdxf, the independent reader of the tests.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vartesk::test {

// The entities ezdxf finds in the file, one line each in the form of tests/cad/dxf_check.py
// ("LINE x1 y1 x2 y2 c=7", "TEXT x y h=2.5000 c=7 text", "POLYLINE closed=0 w=0.1000 c=7
// x,y ..."), a text as CAD shows it. Nothing when /usr/bin/python3 or its ezdxf is missing: the
// caller skips. A file ezdxf cannot load, or whose audit finds anything, fails the test (with
// ezdxf's words) and gives an empty list.
std::optional<std::vector<std::string>> EzdxfEntities(const std::filesystem::path &dxf);

// The parts of the listing: a number with four decimals ("-0.0000" read as "0.0000"), a
// vertex "x,y", a text's line and a line's line.
std::string EzdxfNumber(double value);
std::string EzdxfPoint(double x, double y);
std::string EzdxfText(double x, double y, double height, int colour, const std::string &text);
std::string EzdxfLine(double x1, double y1, double x2, double y2, int colour);

} // namespace vartesk::test
