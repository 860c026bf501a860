// The one error type of the calculation, and the checked arithmetic that
// raises it. what() is the message for the engineer, in Japanese (UTF-8).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvalt {

class CalculationError : public std::runtime_error {
public:
    explicit CalculationError(const std::string& message) : std::runtime_error(message) {}
};

// Checked steps. `what` names the quantity in the engineer's terms; it ends up
// in the message ("... で 0 による除算が起きました。").
double CheckedDivide(double numerator, double denominator, const char* what);
double CheckedSqrt(double value, const char* what);
float ToSingle(double value, const char* what);         // fails beyond the float range
std::int16_t ToInt16(double value, const char* what);   // fails outside -32768..32767
std::int16_t Add16(std::int16_t a, std::int16_t b, const char* what);
std::int16_t Subtract16(std::int16_t a, std::int16_t b, const char* what);
std::int16_t Multiply16(std::int16_t a, std::int16_t b, const char* what);

} // namespace orvalt
