#pragma once
// Screenshots for reviewers. With LUMETRA_GRAB_DIR set, the program shows each of its
// windows once, saves it there as a PNG and ends: the main window (main.png), the detail
// window of each type listed in LUMETRA_GRAB_TYPES (detail-<type>.png; "0" when unset)
// and the About box (about.png); with no table, the message box (no-dmi.png).
class CMainWindow;

namespace WindowTour {
void StartIfAsked(CMainWindow& window);
}
