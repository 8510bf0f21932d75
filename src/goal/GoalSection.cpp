#include "goal/GoalSection.h"

#include <algorithm>
#include <istream>
#include <new>
#include <ostream>
#include <string>

#include "common/BinaryIO.h"
#include "common/Log.h"

namespace {
constexpr std::uint8_t kMarker = 0x54;
constexpr std::int32_t kBlock = 62500;
constexpr std::int32_t kTextChunk = 65536;
}  // namespace

bool WriteGridPoints(std::ostream& out, const std::vector<GoalPoint>& points) {
  if (!bin::Put(out, static_cast<std::uint32_t>(points.size()))) return false;
  for (const GoalPoint& p : points)
    if (!bin::Put(out, p.x) || !bin::Put(out, p.y)) return false;
  return true;
}

bool ReadGridPoints(std::istream& in, std::vector<GoalPoint>& points) {
  auto clear = [&points] { points.assign(1, GoalPoint{0.0, 0.0}); };
  points.clear();
  std::int32_t count = 0;
  if (!bin::Get(in, count) || count < 0) {
    clear();
    return false;
  }
  try {
    for (std::int32_t done = 0; done < count;) {
      const std::int32_t block = std::min(kBlock, count - done);
      points.reserve(points.size() + static_cast<size_t>(block));
      for (std::int32_t i = 0; i < block; ++i) {
        GoalPoint p{0.0, 0.0};
        if (!bin::Get(in, p.x) || !bin::Get(in, p.y)) {
          if (in.eof()) LogError(Tr("End of file"));
          clear();
          return false;
        }
        points.push_back(p);
      }
      done += block;
    }
  } catch (const std::exception& e) {
    LogError(e.what());
    clear();
    return false;
  }
  if (points.empty()) clear();
  return true;
}

bool WriteGoalSection(std::ostream& out, GoalDefinition& goal) {
  const GoalSettings& s = goal.settings;
  bin::Put(out, kMarker);
  if (!WriteGridPoints(out, goal.gridPoints)) return false;
  bin::PutFlag(out, goal.goalBuilt);
  bin::PutFlag(out, s.expressionSource);
  bin::Put<std::int32_t>(out, s.pointsCount);
  bin::Put<std::int32_t>(out, s.apcf);
  bin::Put<std::int32_t>(out, s.interpolation);
  bin::Put<std::int32_t>(out, s.interpolation);  // written twice; read into the same setting
  bin::Put(out, s.minX);
  bin::Put(out, s.maxX);
  bin::Put(out, static_cast<std::int32_t>(s.expression.size() + 1));
  out.write(s.expression.c_str(), static_cast<std::streamsize>(s.expression.size() + 1));
  if (!out) return false;
  goal.goalChanged = false;
  return true;
}

bool ReadGoalSection(std::istream& in, int /*fileVersion*/, GoalDefinition& goal) {
  if (!bin::ReadMarker(in, kMarker, Tr("Wrong GoalPanel marker"))) return false;
  if (!ReadGridPoints(in, goal.gridPoints)) return false;
  GoalSettings& s = goal.settings;
  std::uint8_t built = 0, expressionSource = 0;
  std::int32_t pointsCount = 0, apcf = 0, interpolation = 0, length = 0;
  if (!bin::Get(in, built) || !bin::Get(in, expressionSource) || !bin::Get(in, pointsCount) ||
      !bin::Get(in, apcf) || !bin::Get(in, interpolation) || !bin::Get(in, interpolation) ||
      !bin::Get(in, s.minX) || !bin::Get(in, s.maxX) || !bin::Get(in, length))
    return false;
  s.expressionSource = expressionSource != 0;
  s.pointsCount = pointsCount;
  s.apcf = apcf;
  s.interpolation = interpolation;
  // The text is read in pieces as it arrives, so a length the file does not
  // back fails at the end of the file instead of allocating it.
  std::string text;
  for (std::int32_t left = length; left > 0;) {
    const std::int32_t chunk = std::min(left, kTextChunk);
    const size_t at = text.size();
    text.resize(at + static_cast<size_t>(chunk));
    if (!in.read(&text[at], chunk)) return false;
    left -= chunk;
  }
  if (!text.empty()) text.back() = '\0';
  s.expression = text.substr(0, text.find('\0'));
  goal.goalBuilt = false;
  if (built == 1) {
    goal.MakeGoal(false);
  } else {
    goal.ClearGoal();
    goal.InputChanged();
  }
  goal.goalChanged = false;
  return true;
}
