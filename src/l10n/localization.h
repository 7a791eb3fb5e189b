// The start sequence of localization and settings.
#pragma once

namespace vartesk {

// Called once before any window exists: creates the string table, loads both settings and
// writes them back (so that the first run stores them), and registers the key Wait.
void InitLocalization();

} // namespace vartesk
