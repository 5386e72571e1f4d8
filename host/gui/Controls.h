// Controls: the visual component classes. A windowed control is a complete object before it
// has a window; the window (and everything that needs one) is created on demand.
#pragma once

#include "host/classes/Components.h"

#include <functional>

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TWinControl;

// A component with a position and size on its parent.
class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  const char* ClassName() const override { return "TControl"; }

  int GetLeft() const { return Left; }
  int GetTop() const { return Top; }
  int GetWidth() const { return Width; }
  int GetHeight() const { return Height; }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  // The client area; without a window it is the whole control.
  virtual int GetClientWidth() const { return Width; }
  virtual int GetClientHeight() const { return Height; }

  TWinControl* GetParent() const { return Parent; }
  bool GetVisible() const { return Visible; }
  void SetVisible(bool Value) { Visible = Value; }
  bool GetEnabled() const { return Enabled; }
  void SetEnabled(bool Value) { Enabled = Value; }
  // Right-to-left layout; the controls here are laid out left to right.
  bool UseRightToLeftAlignment() const { return false; }

  TNotifyEvent OnClick;

protected:
  // Fires OnClick.
  virtual void Click();

private:
  TWinControl* Parent = nullptr;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Visible = true;
  bool Enabled = true;
};

// A control that can have a window of its own and take the keyboard focus.
class TWinControl : public TControl {
public:
  using TControl::TControl;
  const char* ClassName() const override { return "TWinControl"; }

  // Whether the window exists. Nothing in this build creates one: the window backend
  // attaches with the GUI layer, and until then every control is window-less.
  bool HandleAllocated() const { return false; }
  bool GetTabStop() const { return TabStop; }
  void SetTabStop(bool Value) { TabStop = Value; }

private:
  bool TabStop = false;
};

// A windowed control that paints itself.
class TCustomControl : public TWinControl {
public:
  using TWinControl::TWinControl;
  const char* ClassName() const override { return "TCustomControl"; }
};
