// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/shape_pictures.h"

namespace kestro {
namespace {

using Kind = PictureStroke::Kind;

constexpr Rgb kPaper{255, 255, 255};
constexpr Rgb kArea{255, 200, 200};
constexpr Rgb kEdge{221, 17, 17};
constexpr Rgb kCurve{68, 68, 255};

// The limit's corner point (fx, gy) and the box it closes with the open sides at (ox, oy).
struct Corner {
  float fx, gy, ox, oy;
};

// A flat passband at `level` that rolls off after the corner at x = 0.5.
void AddCurve(ButtonPicture& picture, float level) {
  picture.push_back({Kind::Line, 0.1f, level, 0.5f, level, kCurve, 2});
  picture.push_back({Kind::Line, 0.5f, level, 0.9f, 0.85f, kCurve, 2});
}

void AddLimit(ButtonPicture& picture, Corner c) {
  picture.push_back({Kind::Fill, c.ox, c.oy, c.fx, c.gy, kArea, 1});
  picture.push_back({Kind::Line, c.ox, c.gy, c.fx, c.gy, kEdge, 2});
  picture.push_back({Kind::Line, c.fx, c.gy, c.fx, c.oy, kEdge, 2});
}

}  // namespace

ButtonPicture LimitShapePicture(int16_t shape) {
  ButtonPicture picture{{Kind::Fill, 0.08f, 0.08f, 0.92f, 0.92f, kPaper, 1}};
  switch (shape) {
    case 1:  // floor from DC: the gain must stay above the line
      AddLimit(picture, {0.6f, 0.45f, 0.1f, 0.9f});
      AddCurve(picture, 0.3f);
      break;
    case 2:  // ceiling upward: the gain must stay below the line from here up
      AddLimit(picture, {0.75f, 0.55f, 0.9f, 0.1f});
      AddCurve(picture, 0.3f);
      break;
    case 4:  // ceiling from DC: the passband must stay below the line
      AddLimit(picture, {0.6f, 0.25f, 0.1f, 0.1f});
      AddCurve(picture, 0.4f);
      break;
    default:
      return {};
  }
  return picture;
}

}  // namespace kestro
