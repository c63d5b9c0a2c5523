// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/design_record.h"
#include "platform/canvas.h"

namespace kestro {

// The filter drawn as a circuit on a page, left to right along the signal line: a grounded sine
// source, then per stage the series resistors (each a zigzag of seven strokes), the grounded and
// the feedback capacitors hanging from the nodes between them, and an op-amp wired as a
// unity-gain follower whose output closes the feedback path; an odd order starts with its single
// pole (R1 and a grounded C1). Every part carries its value. Page units, y downwards.
class SchematicDrawing final {
 public:
  static constexpr Rgb kBackground{255, 255, 255};

  SchematicDrawing(Canvas& canvas, const DesignRecord& record);

  // Clears the drawing band and draws the circuit with its left end at x0, signal line at y0.
  void Draw(float x0, float y0);

 private:
  void ClearBand();
  void Source();
  void Stage(std::size_t s, bool singlePole);
  void SeriesResistor(float ohms);
  void GroundedCapacitor(float farads);
  void FeedbackCapacitor(float farads);
  void OpAmp();
  void Output();

  // --- Symbols at a place ---
  void Zigzag(float x);
  void Plates(float x);
  void Ground(float x, float y);
  void Junction(float x, float y);
  void Triangle(float x);
  void Label(float x, float y, const std::string& text);

  Canvas& canvas_;
  const DesignRecord& record_;
  float x_ = 0;          // where the next part starts
  float y_ = 0;          // the signal line
  float feedbackX_ = 0;  // the node the current stage's feedback capacitor hangs from
};

}  // namespace kestro
