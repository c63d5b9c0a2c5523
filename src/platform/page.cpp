// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/page.h"

#include <algorithm>
#include <stdexcept>

namespace kestro {

Control& Page::operator[](const std::string& name) {
  for (Control& control : controls_) {
    if (control.name == name)
      return control;
  }
  throw std::out_of_range("no control named " + name);
}

const Control& Page::operator[](const std::string& name) const {
  return const_cast<Page&>(*this)[name];
}

Control& Page::Add(ControlKind kind, const std::string& name, const std::string& caption,
                   float left, float top, float width, float height) {
  Control& control = controls_.emplace_back();
  control.kind = kind;
  control.name = name;
  control.caption = caption;
  control.left = left;
  control.top = top;
  control.width = width;
  control.height = height;
  return control;
}

void Page::Click(const std::string& name) {
  Control& control = (*this)[name];
  if (control.onClick)
    control.onClick();
}

void Page::Type(const std::string& name, const std::string& text) {
  Control& control = (*this)[name];
  control.caption = text;
  if (control.onChange)
    control.onChange();
}

void Page::Spin(const std::string& name, int value) {
  Control& control = (*this)[name];
  control.value = std::clamp(value, control.minimum, std::max(control.minimum, control.maximum));
  if (!control.buddy.empty())
    (*this)[control.buddy].caption = std::to_string(control.value);
  if (control.onChange)
    control.onChange();
}

void Page::SelectOption(const std::string& name) {
  Control& chosen = (*this)[name];
  for (Control& control : controls_) {
    if (control.kind == ControlKind::Option && control.frame == chosen.frame) {
      control.checked = false;
    }
  }
  chosen.checked = true;
  if (chosen.onClick)
    chosen.onClick();
}

void Page::ClickRow(const std::string& name, int row) {
  Control& control = (*this)[name];
  if (control.onRowClick)
    control.onRowClick(row);
}

}  // namespace kestro
