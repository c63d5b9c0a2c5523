// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/button_picture.h"
#include "platform/canvas.h"

namespace kestro {

enum class ControlKind { Button, Label, TextBox, Option, Frame, Spinner, ListBox, ScrollBar };

// Horizontal placement of a caption or text inside its control.
enum class TextAlign { Left, Center, Right };

// The state of one control of a page, as plain data. The page logic changes it; the window host
// mirrors it onto a real widget after every event. Places are in page units.
struct Control {
  ControlKind kind = ControlKind::Button;
  std::string name;  // the control's name: "cmdDesign", "txtWidth", ...
  float left = 0, top = 0, width = 0, height = 0;
  std::string caption;  // caption of buttons, labels, options and frames; text of text boxes
  bool visible = true;
  bool enabled = true;
  bool bold = false;
  bool fixedPitch = false;  // caption and rows in a fixed-pitch font, so columns line up
  std::optional<Rgb> face;  // button face or label background; none: the toolkit's default
  bool checked = false;     // option buttons
  std::string frame;        // option buttons: the frame that groups them
  int value = 0, minimum = 0, maximum = 0;  // spinners and scroll bars
  std::string buddy;                        // spinners: the label that shows the value
  std::vector<std::string> rows;            // list boxes
  float fontScale = 1.0f;                   // caption size relative to the page font
  TextAlign align = TextAlign::Left;        // labels and text boxes
  std::optional<Rgb> foreColour;            // caption colour; none: the toolkit's default
  ButtonPicture picture;                    // picture buttons: the drawing on the face

  std::function<void()> onClick;        // buttons, labels, option buttons
  std::function<void()> onChange;       // text boxes (every keystroke), spinners, scroll bars
  std::function<void(int)> onRowClick;  // list boxes, the row counted from 0
};

// How a page is opened over the others.
enum class OpenMode { Switch, Over, Modal };

enum class PageId {
  Opening,
  Design,
  Plot,
  Schematic,
  Tabulated,
  WriteFiles,
  Transient,
  Poles,
  Marker,
  About,
  Exit,
  Limits,
  EditLimits,
  Stages,
  FitLimits
};

// Moves between pages. The window implements it; tests record the calls.
class Navigator {
 public:
  virtual ~Navigator() = default;
  virtual void Open(PageId page, OpenMode mode) = 0;
  virtual void Close(PageId page) = 0;  // closes that page's window
  virtual void EndProgram() = 0;
};

// A page: its caption, its controls and its drawing. Events reach it through Click, Type,
// Spin, ... which update the control state the way the toolkit would and then run the handler.
class Page {
 public:
  virtual ~Page() = default;

  const std::string& WindowCaption() const { return windowCaption_; }
  std::deque<Control>& Controls() { return controls_; }

  // Looks a control up by name; throws std::out_of_range for an unknown name.
  Control& operator[](const std::string& name);
  const Control& operator[](const std::string& name) const;

  // --- Events, as the toolkit delivers them ---
  void Click(const std::string& name);
  void Type(const std::string& name, const std::string& text);
  void Spin(const std::string& name, int value);  // clamps, shows the value in the buddy label
  void SelectOption(const std::string& name);     // checks it, unchecks its frame's others, clicks
  void ClickRow(const std::string& name, int row);
  virtual void OnMouseDown(int /*button*/, float /*x*/, float /*y*/) {}
  virtual void OnMouseMove(int /*button*/, float /*x*/, float /*y*/) {}
  virtual void OnMouseUp(int /*button*/, float /*x*/, float /*y*/) {}
  // The window is shown for the first time (a page may draw now).
  virtual void OnShown() {}

  // The drawing surface, set by the host before the page is shown.
  void SetCanvas(Canvas* canvas) { canvas_ = canvas; }

  // Page background (the colour Clear paints); none: the toolkit's default window colour.
  const std::optional<Rgb>& BackColour() const { return backColour_; }
  // Share of the screen the page's window opens at; 1 x 1 (the default) opens it maximised.
  // The page's 12000 x 9000 units always fill the window, whatever its size.
  float WindowWidthShare() const { return widthShare_; }
  float WindowHeightShare() const { return heightShare_; }
  // Where a smaller window opens, as shares of the screen from its top-left corner; none: centred.
  const std::optional<std::pair<float, float>>& WindowPosition() const { return position_; }

 protected:
  Control& Add(ControlKind kind, const std::string& name, const std::string& caption, float left,
               float top, float width, float height);
  // Adds every control of a layout table (rows with slot, kind, name, caption, left, top, width
  // and height) and binds each to its typed member; buttons get buttonFace.
  template <typename Controls, typename Rows>
  void AddPlaced(const Rows& rows, Controls& controls, Rgb buttonFace) {
    for (const auto& row : rows) {
      Control& control =
          Add(row.kind, row.name, row.caption, row.left, row.top, row.width, row.height);
      if (row.kind == ControlKind::Button)
        control.face = buttonFace;
      controls.*row.slot = &control;
    }
  }
  void SetWindowCaption(std::string caption) { windowCaption_ = std::move(caption); }
  void SetBackColour(Rgb colour) { backColour_ = colour; }
  void SetWindowShare(float width, float height) {
    widthShare_ = width;
    heightShare_ = height;
  }
  void SetWindowPosition(float left, float top) { position_ = std::make_pair(left, top); }
  Canvas* canvas() const { return canvas_; }

 private:
  std::string windowCaption_;
  std::deque<Control> controls_;  // a deque keeps references stable as controls are added
  Canvas* canvas_ = nullptr;
  std::optional<Rgb> backColour_;
  float widthShare_ = 1.0f, heightShare_ = 1.0f;
  std::optional<std::pair<float, float>> position_;
};

}  // namespace kestro
