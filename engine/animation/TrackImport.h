#pragma once
// The import layout of track keys: vectors as three float curves (x, y,
// z), angles in degrees, colours as packed ARGB. Each reader replaces the
// keys and gives false (no keys) when the stream ends early or a count
// does not fit the bytes left.

#include "engine/animation/sTrackData.h"

#include <vector>

// A u32 count, then the time and value of each key: the stored float layout.
bool ReadFloatKeys(cStream& stream, sTrackData<float>& list);
// Float keys, the values turned from degrees into radians when angles is set.
bool ImportFloatKeys(cStream& stream, sTrackData<float>& keys, bool angles);
// A u32 count, then the time and packed ARGB colour of each key.
bool ImportColorKeys(cStream& stream, sTrackData<sColor>& keys);
// Three float key lists merged at their distinct times: one key per time
// for a plain list, a pair of keys (first curves, then second curves) for
// a paired one.
bool ImportVectorKeys(cStream& stream, sTrackData<cVector3d>& keys, bool paired);

// Sorts the times and drops each one closer than 0.00001 to the last kept one.
void UniqueTimes(std::vector<float>& times);
// Keys 0, 2, 4 ... into first, keys 1, 3, 5 ... into second.
void SplitKeyPairs(const sTrackData<float>& list, sTrackData<float>& first, sTrackData<float>& second);
