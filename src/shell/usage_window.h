// frmUsage: the usage text "orvalt99.txt" of the program folder, read-only.
#pragma once

namespace orvalt {

class frmMain;

// Shows the one usage window of `main` (reads the file at every opening).
// A missing or unreadable file is reported and no window opens.
void ShowUsageWindow(frmMain& main);

} // namespace orvalt
