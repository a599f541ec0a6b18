// The valid range of every setting that a key steps, a slider sets or a file brings in: one table for all three.
#pragma once
#include "core/Prefs.h"

struct SettingRange {
    size_t offset;      // of the field in the record
    bool isInt;
    float low, high;
    float fallback;     // replaces a float that is not a finite number
    bool perWorldSize;  // the bounds are in units of the world size
};

// The row of the field at this address inside p, or null for a field without a range.
const SettingRange* settingRange(const Prefs& p, const void* field);
// v held within the row's bounds (times worldSize where the row says so); a non-finite v becomes the fallback.
float clampToRange(const SettingRange& row, float v, float worldSize);
// A multiplying key's step: the product held within the range, so that from 0 a raising key starts at the
// low end and no number of presses reaches 0, infinity or NaN.
void scaleInRange(const Prefs& p, float& field, float factor);
// An adding key's step, held within the range.
void addInRange(const Prefs& p, float& field, float delta);
void addInRange(const Prefs& p, int32_t& field, int delta);
// Brings every field of the table into its range (a loaded file, for example).
void clampSettings(Prefs& p);
