// The standard streams of the Windows programs.
#pragma once

namespace vr {

// Standard output and error made ready for the lines of a run: binary, so
// that lines end in "\n" as on Linux; a window program started from a
// console prompt, which gives it no handles, writes to that prompt's console;
// and a console shows the UTF-8 bytes as UTF-8 (its code page is put back
// when the program ends).
void prepareStandardStreams();

} // namespace vr
