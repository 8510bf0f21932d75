#pragma once
// The main window's geometry as fractions of the screen, so that it survives
// a change of screen resolution. The arithmetic only; the frame reads and
// writes the values (MainFrame).

/// The values kept in the "FrameInfo" group of the settings store.
struct StoredGeometry {
  bool maximized = false;
  double widthF = -1;   ///< normal width / screen width; outside (0, 1]: none
  double heightF = -1;
  bool havePosition = false;
  double centerXF = -1; ///< (normal width / 2 + x) / screen width; -1: none
  double centerYF = -1;
};

/// The values to store at closing. `minimizedOrMaximized`: the frame's state
/// now; then no position is stored, since it would not be the normal one.
StoredGeometry MakeStoredGeometry(int normalWidth, int normalHeight, bool maximized,
                                  bool minimizedOrMaximized, int x, int y, int screenWidth,
                                  int screenHeight);

/// The size to restore along one axis: the stored fraction of the screen when
/// it lies in (0, 1] and is larger than `current`, otherwise `current`. The
/// restore never shrinks a frame below the size its layout gave it.
int RestoredExtent(int current, double fraction, int screenExtent);

/// The position to restore along one axis for a frame `extent` pixels long
/// whose stored centre is `centerF` of the screen: the centre put back and the
/// frame moved into the screen. `centred` (the centred coordinate) is kept when
/// no usable centre is stored: -1, or a value that is no number (a damaged
/// settings file).
int RestoredPosition(double centerF, int extent, int screenExtent, int centred);
