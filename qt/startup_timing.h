#pragma once
// An instrumented run for performance work. With LUMETRA_TIMING=1 the program prints,
// on standard error, the time from its process start to the main window's tree filled
// and first painted, then double-clicks the first leaf and prints the time from that
// double-click to the detail window's first paint, and ends.
class CMainWindow;

namespace StartupTiming {
void StartIfAsked(CMainWindow& window);
}
