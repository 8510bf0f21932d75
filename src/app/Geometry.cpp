#include "app/Geometry.h"

#include <cmath>

StoredGeometry MakeStoredGeometry(int normalWidth, int normalHeight, bool maximized,
                                  bool minimizedOrMaximized, int x, int y, int screenWidth,
                                  int screenHeight) {
  StoredGeometry g;
  g.maximized = maximized;
  g.widthF = static_cast<double>(normalWidth) / screenWidth;
  g.heightF = static_cast<double>(normalHeight) / screenHeight;
  g.havePosition = !minimizedOrMaximized;
  if (g.havePosition) {
    g.centerXF = static_cast<double>(normalWidth / 2 + x) / screenWidth;
    g.centerYF = static_cast<double>(normalHeight / 2 + y) / screenHeight;
  }
  return g;
}

namespace {

/// screen × fraction to the nearest pixel: the fraction is a quotient of
/// whole pixels, and truncating its product would lose a pixel at every
/// restart where the division was not exact, so the window would creep.
int Pixels(int screenExtent, double fraction) {
  return static_cast<int>(std::floor(screenExtent * fraction + 0.5));
}

}  // namespace

int RestoredExtent(int current, double fraction, int screenExtent) {
  if (!(fraction > 0 && fraction <= 1)) return current;
  const int stored = Pixels(screenExtent, fraction);
  return stored > current ? stored : current;
}

int RestoredPosition(double centerF, int extent, int screenExtent, int centred) {
  if (centerF == -1 || !std::isfinite(centerF)) return centred;
  // Clamp before converting: a damaged value far outside the screen must not
  // overflow the conversion to int.
  if (centerF < -1e3) centerF = -1e3;
  if (centerF > 1e3) centerF = 1e3;
  int pos = Pixels(screenExtent, centerF) - extent / 2;
  if (pos < 0)
    pos = 0;
  else if (pos + extent > screenExtent)
    pos = screenExtent - extent;
  // A frame wider than the screen keeps its left edge on the screen.
  return pos < 0 ? 0 : pos;
}
