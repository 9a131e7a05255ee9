// The mouse events of the paint surface as the core receives them, free of any toolkit type.
#pragma once

namespace tavo::editing {

/// A pixel position on the paint surface: x to the right, y downwards, origin top-left.
struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

enum class Button { Left, Right };

/// The modifier keys held during the event.
struct Modifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool shiftOnly() const { return shift && !ctrl && !alt; }
  bool ctrlOnly() const { return ctrl && !shift && !alt; }
  bool altOnly() const { return alt && !shift && !ctrl; }
  friend bool operator==(const Modifiers&, const Modifiers&) = default;
};

/// One press, move or release on the paint surface.
struct PointerEvent {
  ScreenPoint at;
  Button button = Button::Left;
  Modifiers modifiers;
};

}  // namespace tavo::editing
