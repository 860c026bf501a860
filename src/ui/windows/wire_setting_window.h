// frmWireSetting: view, change and add the wire types of the catalogue.
#pragma once

namespace orvalt {

class WindowHost;

// Shows the one wire settings window, creating and loading it first when it
// is not open, otherwise bringing it to the front. What it keeps (the list and
// the record shown) lives as long as the host, so it survives a close.
void ShowWireSettingWindow(WindowHost& host);

} // namespace orvalt
