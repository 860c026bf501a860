// The program's own icon (a span of wire between two supports, drawn for
// it), for the application and every window it opens, instead of Qt's logo.
#pragma once

#include <QIcon>

namespace orvalt {

// The icon, from the program's resources (data/orvalt99.svg).
QIcon ProgramIcon();

} // namespace orvalt
