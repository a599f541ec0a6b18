// Saving and loading the settings record as the ".pref" file, and bringing loaded values into range.
#pragma once

struct Prefs;

// File name: stem followed by ".pref". Both return 0 on success, 1 on failure.
int savePrefs(const Prefs& p, const char* stem);
// A file that is not a whole record changes nothing; a loaded one is brought into the setting ranges.
int loadPrefs(Prefs& p, const char* stem);
