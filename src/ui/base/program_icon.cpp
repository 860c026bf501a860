#include "ui/base/program_icon.h"

#include <QString>

namespace orvalt {

QIcon ProgramIcon() { return QIcon(QStringLiteral(":/orvalt99/orvalt99.svg")); }

} // namespace orvalt
