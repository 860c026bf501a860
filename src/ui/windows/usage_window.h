// frmUsage: the usage text "orvalt99.txt" of the program folder, read-only.
#pragma once

namespace orvalt {

class WindowHost;

// Shows the one usage window (reads the file at every opening). A missing or
// unreadable file is reported and no window opens.
void ShowUsageWindow(WindowHost& host);

} // namespace orvalt
