// The conversions between numbers and text that the report, the catalogue
// file and the windows share: FormatWithPattern and FormatPlainNumber
// (number_format.h), ReadBoxNumber and ParseStrictNumber (number_parse.h).
// Include this header for all of them.
#pragma once

#include "engine/number/number_format.h"
#include "engine/number/number_parse.h"
