// Numbers in texts, read and written by the C library's rules whatever the process locale.
// A Qt host calls setlocale(LC_ALL, "") and a tester's machine may use a decimal comma, yet every
// text of the system must read and write "1.25".
#pragma once

#include <climits>
#include <string>
#include <string_view>

namespace quorin {

// atof: leading white space, sign, digits with ".", exponent, hexadecimal, inf/nan; 0.0 when the
// text starts with no number. Never reads past the terminating NUL.
double CAtof(const char* text);
double CAtof(std::string_view text);

// atoi: leading white space, sign, decimal digits; 0 when there are none. Out-of-range values wrap
// to 32 bits as glibc's atoi (a long converted to int) does.
int CAtoi(const char* text);
int CAtoi(std::string_view text);

// printf with the C locale; the result is never truncated.
std::string CFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "%d" of value.
std::string FormatInt(long long value);

// "%.<decimals>f" of value, rounded as printf rounds; decimals is clamped to 0..60.
std::string FormatFixed(double value, int decimals);

// Room for the longest text of FormatInt and FormatFixed (309 digits, the point and 60 decimals).
using NumberBuffer = char[400];

// As FormatInt and FormatFixed, written into buffer and returned as a view of it: no allocation,
// for writers that put out many numbers.
std::string_view FormatIntTo(NumberBuffer& buffer, long long value);
std::string_view FormatFixedTo(NumberBuffer& buffer, double value, int decimals);

// value truncated toward zero (as the C cast does) into lowest..highest: NaN gives 0, values
// beyond the bounds give the nearest bound.
int TruncateToInt(double value, int lowest = INT_MIN, int highest = INT_MAX);

// text without the characters of blanks at its start and end: a view into text (at its end when
// text is all blanks).
std::string_view Trim(std::string_view text, std::string_view blanks = " \t\r\n");

// Whether text is empty or holds only blanks (" ").
bool IsBlank(std::string_view text);

// Whether a and b are equal with the ASCII letters compared without case (other bytes exactly).
bool EqualNoCase(std::string_view a, std::string_view b);

}  // namespace quorin
