// Shared by the window tests: the application object, and a probe control that records the
// messages and operations reaching it and lets a test choose its window frame and painting.
#pragma once

#include "host/gui/Controls.h"
#include "host/gui/Forms.h"
#include "host/gui/Testing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The application object, once for the whole test program.
inline void InitTestApplication() {
  static const bool Done = [] {
    Application->Initialize();
    return true;
  }();
  (void)Done;
}

// Text of a shift state for logs: "S" shift, "A" alt, "C" ctrl, "L" "R" "M" buttons, "D" double.
inline std::string ShiftText(TShiftState Shift) {
  std::string S;
  const char Letters[] = "SACLRMD";
  for (int I = 0; I < 7; ++I)
    if (Shift.Contains(static_cast<TShiftStateItem>(I))) S += Letters[I];
  return S;
}

class TProbe : public TCustomControl {
public:
  explicit TProbe(TComponent* AOwner = nullptr) : TCustomControl(AOwner) {
    SetBounds(0, 0, 100, 60);
  }

  // --- Frame of the next window ---
  unsigned AddStyle = 0;
  unsigned AddExStyle = 0;
  std::optional<unsigned> ClassStyle; // replaces the class style when set

  // --- What reached the control ---
  std::vector<TMessage> Messages; // every message, as it arrived
  std::vector<std::string> Log; // "down L 10,20 L", "move 3,4 ", "click", "key 65 S", "char 97"...
  int Paints = 0;
  std::function<void(TProbe&)> OnPaint;
  std::function<void(TMessage&)> OnMessage; // may answer a message (Result) before the default
  std::function<bool(TShiftState, TPoint)> WheelDown; // the answer of DoMouseWheelDown
  std::function<bool(TShiftState, TPoint)> WheelUp;

  int Count(unsigned Msg) const {
    return static_cast<int>(std::count_if(Messages.begin(), Messages.end(),
                                          [Msg](const TMessage& M) { return M.Msg == Msg; }));
  }
  std::vector<TMessage> Of(unsigned Msg) const {
    std::vector<TMessage> R;
    for (const TMessage& M : Messages)
      if (M.Msg == Msg) R.push_back(M);
    return R;
  }
  void Clear() {
    Messages.clear();
    Log.clear();
    Paints = 0;
  }
  void SetStyle(TControlStyle Style) { ControlStyle = Style; }
  using TCustomControl::ControlStyle;

  void WndProc(TMessage& Message) override {
    Messages.push_back(Message);
    if (OnMessage) {
      OnMessage(Message);
      if (Message.Result) return;
    }
    TCustomControl::WndProc(Message);
  }

protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style |= AddStyle;
    Params.ExStyle |= AddExStyle;
    if (ClassStyle) Params.WindowClass.style = *ClassStyle;
  }
  void Paint() override {
    ++Paints;
    if (OnPaint) OnPaint(*this);
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    Log.push_back("down " + ButtonText(Button) + " " + Point(X, Y) + " " + ShiftText(Shift));
    TCustomControl::MouseDown(Button, Shift, X, Y);
  }
  void MouseMove(TShiftState Shift, int X, int Y) override {
    Log.push_back("move " + Point(X, Y) + " " + ShiftText(Shift));
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    Log.push_back("up " + ButtonText(Button) + " " + Point(X, Y) + " " + ShiftText(Shift));
  }
  void Click() override { Log.push_back("click"); }
  void DblClick() override { Log.push_back("dblclick"); }
  void KeyDown(unsigned short& Key, TShiftState Shift) override {
    Log.push_back("keydown " + std::to_string(Key) + " " + ShiftText(Shift));
    TCustomControl::KeyDown(Key, Shift);
  }
  void KeyUp(unsigned short& Key, TShiftState Shift) override {
    Log.push_back("keyup " + std::to_string(Key) + " " + ShiftText(Shift));
  }
  void KeyPress(TKeyChar& Key) override {
    Log.push_back("char " + std::to_string(static_cast<unsigned long>(Key)));
    TCustomControl::KeyPress(Key);
  }
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override {
    Log.push_back("wheeldown " + ShiftText(Shift));
    return WheelDown ? WheelDown(Shift, MousePos)
                     : TCustomControl::DoMouseWheelDown(Shift, MousePos);
  }
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override {
    Log.push_back("wheelup " + ShiftText(Shift));
    return WheelUp ? WheelUp(Shift, MousePos) : TCustomControl::DoMouseWheelUp(Shift, MousePos);
  }
  void DoEnter() override { Log.push_back("enter"); }
  void DoExit() override { Log.push_back("exit"); }

private:
  static std::string Point(int X, int Y) { return std::to_string(X) + "," + std::to_string(Y); }
  static std::string ButtonText(TMouseButton B) {
    return B == mbLeft ? "L" : B == mbRight ? "R" : "M";
  }
};

// Fills the probe's canvas with one colour wherever it is asked to paint.
inline std::function<void(TProbe&)> FillWith(TColor Color) {
  return [Color](TProbe& P) {
    P.GetCanvas()->GetBrush()->Color = Color;
    P.GetCanvas()->GetBrush()->Style = bsSolid;
    P.GetCanvas()->FillRect(P.GetClientRect());
  };
}

// The number of pixels covered by a list of disjoint rectangles.
inline long AreaOf(const std::vector<TRect>& Rects) {
  long A = 0;
  for (const TRect& R : Rects)
    A += static_cast<long>(R.Width()) * R.Height();
  return A;
}

// Whether a point lies in one of the rectangles.
inline bool Covers(const std::vector<TRect>& Rects, int X, int Y) {
  return std::any_of(Rects.begin(), Rects.end(), [&](const TRect& R) {
    return PtInRect(R, {X, Y});
  });
}

// A fixture with the application object and a form that is deleted after the test.
class GuiTest : public testing::Test {
protected:
  void SetUp() override { InitTestApplication(); }
  void TearDown() override { Testing::ProcessEvents(); }
};
