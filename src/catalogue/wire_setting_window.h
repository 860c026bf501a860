// frmWireSetting: view, change and add the wire types of the catalogue.
#pragma once

namespace orvalt {

class frmMain;

// Shows the one wire settings window of `main`, creating and loading it first
// when it is not loaded, otherwise bringing it to the front. The window object
// lives as long as `main`, so its current record survives a close.
void ShowWireSettingWindow(frmMain& main);

} // namespace orvalt
