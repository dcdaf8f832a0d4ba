// The game's text and number rules.
//
// Texts are byte strings in cp932 (Shift-JIS); every rule counts bytes and none
// depends on the locale. Numbers are the game's single-precision values; the
// rules take them as double, which holds every float exactly.
#pragma once

#include "text/errors.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace torvelo {

using Text = std::string;

// " 6", "-3", " 1.5", " .5", " 1.23457E+06", " 1E-07": six significant digits,
// a blank before numbers that are not negative.
Text NUMBER_TEXT(float x);

// The number at the start of a text, after blanks; 0 where there is none.
double TEXT_NUMBER(std::string_view t);

// Storing a number in a single-precision variable: round to nearest, overflow
// where that would give no finite value.
float SINGLE(double x);

// Storing a number in a 16-bit board cell: round half to even, overflow outside
// -32768..32767.
std::int16_t CELL(double x);

// Round half away from zero to a 32-bit whole number.
std::int32_t WHOLE_NUMBER(double x);
double FLOOR(double x);

Text BLANKS(std::int64_t n);
Text RIGHT_TEXT(std::string_view t, std::int64_t n);
Text MID_TEXT(std::string_view t, std::int64_t p, std::int64_t n);
Text HEX_TEXT(double x);
Text CHAR_TEXT(std::int64_t c);

} // namespace torvelo
