#pragma once
// Loading and saving AppSettings in the configuration store.

#include <functional>

#include <wx/confbase.h>

#include "app/AppSettings.h"

/// True when the first start on a system of `systemLanguage` (a wxLanguage)
/// asks which language to use: the languages of users who mostly read
/// Russian, for whom the system default would mean English.
bool AsksLanguage(int systemLanguage);

/// The first-start question: 1 English, 2 Russian, 0 when the dialog is closed.
int AskLanguage();

/// Reads the "Settings" group into `settings` (which holds the defaults):
/// missing or unreadable values leave their field unchanged; a "LangNo" above
/// 2 reads as 0; a missing one asks `askLanguage` when the system language is
/// one of AsksLanguage's, else gives 0. Numbers are read in the classic format.
void LoadSettings(AppSettings& settings, wxConfigBase& config, int systemLanguage,
                  const std::function<int()>& askLanguage = AskLanguage);

/// Writes all eleven keys to the "Settings" group (not flushed).
void SaveSettings(const AppSettings& settings, wxConfigBase& config);
