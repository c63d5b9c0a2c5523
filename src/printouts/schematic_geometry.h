// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kestro::schematic_geometry {

// Offsets of the schematic's symbols from a part's start x and from the signal line, in page
// units on screen and in twips on paper, so that the printed circuit is the one on the page.

constexpr float kResistorLength = 760;
constexpr float kPlateHalfWidth = 120;  // a capacitor's plates: 240 wide at 480 and 540 below
constexpr float kUpperPlate = 480, kLowerPlate = 540;
constexpr float kGroundLead = 1040;    // a grounded capacitor's lead ends in its ground symbol
constexpr float kFeedbackLead = 1540;  // the level of the feedback path

// The op-amp, drawn from the node where the last grounded capacitor hangs.
constexpr float kOpAmpInput = 300;  // the triangle's input side; the + input on the signal line
constexpr float kOpAmpTip = 1100;   // the output, kOutputLevel below the signal line
constexpr float kTriangleTop = -200, kTriangleBottom = 700;
constexpr float kOutputLevel = 250;
constexpr float kMinusInput = 500;
constexpr float kOutputNode = 1400;  // where the output meets the follower and feedback wires
constexpr float kLoopX = 220;        // the follower wire's way down, clear of the capacitor plates
constexpr float kLoopLevel = 850;
constexpr float kStageGap = 1700;  // from the op-amp's input node to the next stage

// How far x moves: the source, a stage (two resistors and the op-amp), and the output lead with
// its label "Output" (360 right of the lead's start, about 80 a character in the page font).
constexpr float kSourceWidth = 240;
constexpr float kStageAdvance = 2 * kResistorLength + kStageGap;
constexpr float kOutputWidth = 360 + 6 * 80;

// The + and - signs inside the triangle.
constexpr float kSignLeft = 50, kSignRight = 170, kSignHalfHeight = 60;

}  // namespace kestro::schematic_geometry
