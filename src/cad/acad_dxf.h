// The DXF writer: a drawing as an ASCII DXF file of one ENTITIES section.
#pragma once

#include "cad/drawing.h"

#include <filesystem>
#include <string>

namespace vartesk {

// A number as the drawing writes it: four decimals, then trailing zeros dropped down to one
// ("3.0", "-17.0", "12.5", "1.2346"); "." always, whatever the locale.
std::string DxfNumber(double value);

// The file's bytes: no header, tables or blocks, every entity with its own layer, line type
// and colour (none when negative), texts left-aligned with the drawing's style. Texts are
// UTF-8 in the drawing and Windows-1251 in the file, written so that CAD shows them as given:
// "%%c" stays three characters, a control character becomes a blank.
std::string DxfBytes(const TDrawing &drawing);

// Writes DxfBytes in one go, so that a failed export never leaves half a file over an earlier
// one; raises EFileError when it cannot be written.
void WriteDxf(const TDrawing &drawing, const std::filesystem::path &path);

} // namespace vartesk
