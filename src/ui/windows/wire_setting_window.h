// frmWireSetting: view, change and add the wire types of the catalogue.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/catalogue/catalogue_file.h"

namespace orvalt {

class WindowHost;

// What the window keeps from one opening to the next: the catalogue copy, the
// last record read and the slot shown. It belongs to the host, so it lives as
// long as the program while the window itself comes and goes.
struct WireSettingMemory {
    WireList wireList{};
    std::int16_t lastIndex = 0;           // index of the last record read; 0 before the first read
    std::int16_t currentIndex = 0;        // slot shown; lastIndex + 1 while a new record is entered
    bool lastReadWhole = true;            // the last read took in the whole file
    std::optional<FileSnapshot> lastSeen; // the file as the last read found it
};

// Shows the one wire settings window, creating and loading it first when it
// is not open, otherwise bringing it to the front. It keeps what it keeps in
// the host's `memory`, so that survives a close.
void ShowWireSettingWindow(WindowHost& host, WireSettingMemory& memory);

} // namespace orvalt
