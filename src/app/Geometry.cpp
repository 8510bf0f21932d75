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

int RestoredExtent(int current, double fraction, int screenExtent) {
  if (!(fraction > 0 && fraction <= 1)) return current;
  const int stored = static_cast<int>(screenExtent * fraction);
  return stored > current ? stored : current;
}

int RestoredPosition(double centerF, int extent, int screenExtent, int centred) {
  if (centerF == -1 || !std::isfinite(centerF)) return centred;
  // Clamp before converting: a damaged value far outside the screen must not
  // overflow the conversion to int.
  double c = screenExtent * centerF;
  if (c < -1e6) c = -1e6;
  if (c > 1e6) c = 1e6;
  int pos = static_cast<int>(c) - extent / 2;
  if (pos < 0)
    pos = 0;
  else if (pos + extent > screenExtent)
    pos = screenExtent - extent;
  // A frame wider than the screen keeps its left edge on the screen.
  return pos < 0 ? 0 : pos;
}
