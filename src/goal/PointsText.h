#pragma once
// Points text files: numbers in the user's regional format, taken in pairs
// (x, then y) whatever the white space between them; written as x, tab, y per line.

#include <iosfwd>
#include <vector>

#include "goal/GoalData.h"

/// Reads pairs from `in` (imbued with the locale to use) into `points`,
/// replacing what was there. A number that ends exactly at the end of the
/// stream in the place of an x is dropped; an x without its y followed by white
/// space, or any text that is not a number, fails. On failure `points` is empty.
bool ReadPointsText(std::istream& in, std::vector<GoalPoint>& points);

/// Writes one line per point, "x<TAB>y", with 15 significant digits in the
/// stream's locale; returns whether the stream is still good.
bool WritePointsText(std::ostream& out, const std::vector<GoalPoint>& points);
