// The entities of a DXF file as the tests compare them, read by a small parser of their own.
#pragma once

#include "cad/drawing.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vartesk::test {

// The lines of the listing in the form of tests/cad/dxf_check.py (see ezdxf_reader.h), read
// from the file's bytes: LINE, TEXT (Windows-1251 to UTF-8, its control codes unread) and
// POLYLINE with its vertices.
// Anything the parser does not expect fails the test.
std::vector<std::string> DxfListing(const std::string &bytes);

// The same listing made from a drawing's entities, as a view of the drawing shows them.
std::vector<std::string> DrawingListing(const TDrawing &drawing);

// The file read by ezdxf lists exactly `listing`; nothing is checked when ezdxf is missing.
void ExpectEzdxfListing(const std::filesystem::path &dxf, const std::vector<std::string> &listing);

} // namespace vartesk::test
