// Saving and loading the settings record as the ".pref" file, and bringing loaded values into range.
#pragma once

struct Prefs;

// File name: stem followed by ".pref". Both return 0 on success, 1 on failure.
int savePrefs(const Prefs& p, const char* stem);
int loadPrefs(Prefs& p, const char* stem);

// Brings table indices, loop bounds and sizes into range and replaces non-finite floats by defaults.
void sanitizePrefs(Prefs& p);
