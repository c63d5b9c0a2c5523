// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/welcome_drawing.h"

namespace kestro {

namespace {

constexpr Rgb kWire{0, 0, 160};
constexpr Rgb kResistor{200, 0, 0};
constexpr Rgb kCapacitor{0, 130, 0};
constexpr Rgb kAmplifier{128, 0, 160};
constexpr Rgb kText{0, 0, 0};

// A horizontal resistor zigzag from x1 to x2 at height y.
void Resistor(Canvas& canvas, float x1, float x2, float y) {
  constexpr int kTeeth = 6;
  constexpr float kAmplitude = 130;
  const float step = (x2 - x1) / kTeeth;
  canvas.Point(x1, y, kResistor);
  for (int i = 0; i < kTeeth; ++i) {
    const float sign = (i % 2 == 0) ? -1.0f : 1.0f;
    canvas.LineTo(x1 + step * (static_cast<float>(i) + 0.5f), y + sign * kAmplitude, kResistor);
  }
  canvas.LineTo(x2, y, kResistor);
}

// Capacitor plates across a vertical wire at x, the gap centred on y.
void Capacitor(Canvas& canvas, float x, float y) {
  constexpr float kHalfWidth = 260;
  constexpr float kHalfGap = 70;
  canvas.Line(x - kHalfWidth, y - kHalfGap, x + kHalfWidth, y - kHalfGap, kCapacitor);
  canvas.Line(x - kHalfWidth, y + kHalfGap, x + kHalfWidth, y + kHalfGap, kCapacitor);
}

void Ground(Canvas& canvas, float x, float y) {
  canvas.Line(x - 300, y, x + 300, y, kWire);
  canvas.Line(x - 190, y + 90, x + 190, y + 90, kWire);
  canvas.Line(x - 80, y + 180, x + 80, y + 180, kWire);
}

void Amplifier(Canvas& canvas, Rgb background) {
  canvas.Line(7200, 4200, 7200, 5800, kAmplifier);
  canvas.LineTo(8700, 5000, kAmplifier);
  canvas.LineTo(7200, 4200, kAmplifier);
  canvas.SetTextColour(kAmplifier);
  canvas.Point(7300, 4450, background);
  canvas.Print("+");
  canvas.Point(7300, 5250, background);
  canvas.Print("-");
}

void Wires(Canvas& canvas) {
  canvas.Line(2600, 4600, 3300, 4600, kWire);  // input to R1
  canvas.Line(4300, 4600, 5100, 4600, kWire);  // R1 to R2
  canvas.Line(6100, 4600, 7200, 4600, kWire);  // R2 to the + input
  canvas.Line(4700, 4600, 4700, 4020, kWire);  // feedback capacitor branch
  canvas.Line(4700, 3880, 4700, 3300, kWire);
  canvas.LineTo(9300, 3300, kWire);
  canvas.LineTo(9300, 5000, kWire);
  canvas.Line(8700, 5000, 9900, 5000, kWire);  // output
  canvas.Line(6600, 4600, 6600, 5180, kWire);  // capacitor to ground
  canvas.Line(6600, 5320, 6600, 5900, kWire);
  canvas.Line(7200, 5400, 6950, 5400, kWire);  // - input tied to the output
  canvas.LineTo(6950, 6400, kWire);
  canvas.LineTo(9300, 6400, kWire);
  canvas.LineTo(9300, 5000, kWire);
}

}  // namespace

void DrawWelcomeSchematic(Canvas& canvas, Rgb background) {
  canvas.SetLineWidth(2);
  Wires(canvas);
  Resistor(canvas, 3300, 4300, 4600);
  Resistor(canvas, 5100, 6100, 4600);
  Capacitor(canvas, 4700, 3950);
  Capacitor(canvas, 6600, 5250);
  Ground(canvas, 6600, 5900);
  Amplifier(canvas, background);
  canvas.SetTextColour(kText);
  canvas.Point(10000, 4860, background);
  canvas.Print("Output");
  canvas.SetLineWidth(1);
}

}  // namespace kestro
