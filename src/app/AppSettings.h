#pragma once
// The application's user settings as a plain record. Loading and saving go
// through the configuration store of the window program (SettingsStore.h);
// this record and its defaults need no toolkit.

#include <string>

/// A colour as stored in the settings: red, green and blue.
struct Rgb {
  unsigned char r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};

/// "#RRGGBB" with upper-case hexadecimal digits: the form in which colours are
/// stored, so that the store stays readable and stable across versions.
std::string ColourText(const Rgb& c);

/// The application settings. Fields keep the order in which they are compared
/// and listed in the settings store.
struct AppSettings {
  bool showSplash = true;
  bool loadLast = true;
  bool useLastDirs = true;
  bool verbose = false;
  /// 0 system default, 1 English, 2 Russian; -1 while unknown (asked or stored
  /// when the user typed a name that is none of the languages).
  int langNo = 0;
  bool disableFilePath = false;
  bool autosave = true;
  Rgb expressionColour{255, 0, 0};
  Rgb pointsColour{36, 0, 242};
  Rgb additionalPointsColour{0, 221, 22};
  Rgb synthesizedColour{255, 128, 0};

  /// Puts every field back to its default (language: system default).
  void SetDefaults() { *this = AppSettings(); }
  /// True when any of the four plot colours differs: the plots must re-pen.
  bool ColoursDiffer(const AppSettings& o) const;
  bool operator==(const AppSettings& o) const;
  bool operator!=(const AppSettings& o) const { return !(*this == o); }
};

/// The one settings record of the program, alive for the whole run. Only the
/// GUI thread reads or changes it.
AppSettings& GlobalSettings();
