// How the program's process keeps the memory it frees.
#pragma once

namespace vartesk {

// Keeps freed memory in the process for the next use rather than handing it back to the
// system at once. For the desktop program, called first thing in main.
void KeepFreedMemory();

} // namespace vartesk
