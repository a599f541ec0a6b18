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
// v held within the range of the field at this address inside p: a multiplying key passes the product, so
// that from 0 a raising key starts at the low end and no number of presses reaches 0, infinity or NaN.
float inRange(const Prefs& p, const float& field, float v);
int32_t inRange(const Prefs& p, const int32_t& field, int64_t v);
// Brings every field of the table into its range (a loaded file, for example).
void clampSettings(Prefs& p);
