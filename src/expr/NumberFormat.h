#pragma once
// The number format of constants in formulas.

#include <string>

/// "-ind" for any NaN, "-inf", "inf"; otherwise the %g form with 15
/// significant digits written by a standard stream under the global locale,
/// so the user's decimal separator and digit grouping apply.
std::string FormatNumber(double value);

/// Appends FormatNumber(value) to `out`.
void AppendNumber(std::string& out, double value);
