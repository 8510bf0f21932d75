#include "app/AppSettings.h"

#include "common/Log.h"

std::string ColourText(const Rgb& c) { return Format("#%02X%02X%02X", c.r, c.g, c.b); }

bool AppSettings::ColoursDiffer(const AppSettings& o) const {
  return expressionColour != o.expressionColour || pointsColour != o.pointsColour ||
         additionalPointsColour != o.additionalPointsColour ||
         synthesizedColour != o.synthesizedColour;
}

bool AppSettings::operator==(const AppSettings& o) const {
  return showSplash == o.showSplash && loadLast == o.loadLast && useLastDirs == o.useLastDirs &&
         verbose == o.verbose && langNo == o.langNo && disableFilePath == o.disableFilePath &&
         autosave == o.autosave && !ColoursDiffer(o);
}

AppSettings& GlobalSettings() {
  static AppSettings settings;
  return settings;
}
