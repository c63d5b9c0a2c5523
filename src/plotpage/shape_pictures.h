// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "platform/button_picture.h"

namespace kestro {

// The faces of the limit shape buttons: a small lowpass curve with the shape's limit as a pale
// red area behind a red edge, a floor under the passband for shape 1, a ceiling over the stopband
// for shape 2 and a ceiling over the passband for shape 4. Other codes give no picture.
ButtonPicture LimitShapePicture(int16_t shape);

}  // namespace kestro
