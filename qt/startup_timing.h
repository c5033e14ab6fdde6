#pragma once
// An instrumented run for performance work. With LUMETRA_TIMING=1 the program prints,
// on standard error, the time from its process start to the main window's tree filled
// and first painted (the line before it splits that time at main() and at QApplication's
// construction), then double-clicks the first leaf and prints the time from that
// double-click to the detail window's first paint, and ends.
class CMainWindow;

namespace StartupTiming {
// The window program notes these moments as they pass, whether timing is asked or not
// (a clock read each). main() is marked as it takes the windows' branch: only the
// argument parse, microseconds, lies before.
void MarkMainEntered();
void MarkQtStarted();
void StartIfAsked(CMainWindow& window);
}
