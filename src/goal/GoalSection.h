#pragma once
// The goal's section of the project file (marker 0x54): the grid points, the
// built flag and the goal settings.

#include <iosfwd>

#include "goal/GoalDefinition.h"

/// Writes the grid's count and points (the points block), then the settings.
/// Clears goalChanged on success.
bool WriteGoalSection(std::ostream& out, GoalDefinition& goal);

/// Reads the section into `goal`. A wrong marker logs "Wrong GoalPanel marker".
/// When the file says the goal was built, it is built again at once (not
/// silent: problems are reported); otherwise the record is cleared and the
/// goal marked changed. goalChanged is cleared either way.
bool ReadGoalSection(std::istream& in, int fileVersion, GoalDefinition& goal);

/// The points block: unsigned 32-bit count, then x and y of each point.
bool WriteGridPoints(std::ostream& out, const std::vector<GoalPoint>& points);
/// Reads a points block in pieces of at most 62,500 points, so a count the
/// file does not back never becomes one huge allocation. A short block logs
/// "End of file". On failure the grid holds the single point (0, 0); a count
/// of 0 gives that point too.
bool ReadGridPoints(std::istream& in, std::vector<GoalPoint>& points);
