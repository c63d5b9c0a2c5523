// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/design_record.h"

namespace kestro {

// Gain limits of the design record: rectangles on the gain plot that the response must stay out
// of. Only set 1 (the gain plot) is filled, drawn, listed, saved and optimised.

constexpr int kGainLimitSet = 1;
// A set takes at most this many limits by clicking.
constexpr int kMaxEnteredLimits = 9;

// Shape codes: a floor from DC, a ceiling upward, a ceiling from DC.
enum LimitShapeCode : int16_t {
  kFloorFromDc = 1,
  kCeilingUpward = 2,
  kCeilingFromDc = 4,
};

// Start of 0.01 Hz stands for DC, a stop of 1E10 Hz for "upward"; 100 and -300 dB are the open
// sides of a ceiling and a floor.
constexpr float kLimitDc = 0.01f;
constexpr float kLimitUpward = 1e10f;
constexpr float kLimitOpenTop = 100;
constexpr float kLimitOpenBottom = -300;

// NrLimits of a set, held within the limit arrays (a file may hold any count).
int LimitCount(const DesignRecord& record, int set);

// Appends a limit of the given shape to the set, as a click at `freq` Hz and `gain` dB makes it:
// a floor spans DC..freq from gain down, a ceiling spans freq..upward or DC..freq from gain up.
// Returns false and changes nothing when the set already holds kMaxEnteredLimits limits or
// the set is not 1..15.
bool AddGainLimit(DesignRecord& record, int set, int16_t shape, float freq, float gain);

// Empties every set 1..15: no limits, every shape, start, stop, top and bottom 0.
void EraseAllLimits(DesignRecord& record);

// True when limit j of set 1 is shown in the edit list: a shape, and a start and stop above 0.
bool LimitIsListed(const DesignRecord& record, int j);

// The edit list's row of limit j of set 1, e.g.
// "   Gain   Shape: 1     DC up to      1K            minimum: -1       maximum: -300 ".
std::string LimitListRow(const DesignRecord& record, int j);

}  // namespace kestro
