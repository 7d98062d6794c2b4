// Numbers as text and text as numbers, without the C library's formatted
// printing and reading: those bring about 30 KiB of code (a general formatter
// and a correctly rounding reader with their helpers) into a program that
// prints a few counters, a date and a percentage.
#pragma once

#include <cstdint>
#include <string>

namespace talvek {

// "%*lu" and "%0*lu": the decimal digits, padded on the left to `width`.
std::string paddedDecimal(unsigned long long value, int width = 0, char fill = ' ');
// "%0*X": upper-case hexadecimal digits, zero-padded to `width`.
std::string hexDigits(std::uint32_t value, int width);

// "%.*f": the exact value rounded to `decimals` places, ties to even, as
// the C library prints it ("inf", "-inf", "nan"; a negative zero keeps its sign).
std::string fixedText(double value, int decimals);
// fixedText without the trailing zeros after the point, nor a bare point.
std::string trimmedFixedText(double value, int decimals);
// "%.*g": `digits` significant digits, trailing zeros dropped, the exponent
// form ("1.5e+20", "2e-05") below 1e-4 or from 10^digits on.
std::string generalText(double value, int digits);

// The leading decimal number of `text` as strtod reads one: spaces, a sign,
// digits with at most one point, an exponent ("e-3"); "inf", "infinity" and
// "nan" in any letter case. `end` is set past what was read, or to `text`
// when nothing was. Accurate to well within a float's precision, not
// always to the last bit of a double.
double readDecimal(const char* text, const char** end);

}  // namespace talvek
