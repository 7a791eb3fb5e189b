// The start sequence of localization and settings.
#pragma once

namespace vartesk {

// Called once before any window exists: creates the string table, loads both settings and
// writes them back (so that the first run stores them; a settings file that cannot be written
// does not keep the program from starting), and registers the key Wait.
void InitLocalization();

} // namespace vartesk
