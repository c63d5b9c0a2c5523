// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QSize>

#include "platform/button_picture.h"

namespace kestro {

// A picture button's drawing rendered at the given pixel size, for the button's icon.
QIcon PictureIcon(const ButtonPicture& picture, QSize size);

}  // namespace kestro
