#pragma once

#include <QString>

// Settings of the process that must be made before the QApplication exists.
namespace processsetup {

// The directory of the running program file.
QString programDirectory();

// Draws the pages' 宋体 in a Song-style face: points fontconfig at the program's own
// fonts.conf (next to the program) unless the user chose another configuration.
void useProgramFonts(const QString& programDir);

// The web engine's sandbox cannot start for root; run without it there.
void allowWebEngineAsRoot();

// For tests and benchmarks: no screen needed (unless a platform is chosen), web views
// without sandbox and GPU, and the program's fonts as next to the running binary.
void prepareHeadless();

// True when there is a screen to show windows on (or a platform chosen explicitly).
bool hasDisplay();

} // namespace processsetup
