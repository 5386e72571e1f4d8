// TCustomControl: a canvas that follows the window, and WM_PAINT running Paint on it.
#include "host/gui/Window.h"

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), Canvas(std::make_unique<TCanvas>()),
      ScratchDc(CreateCompatibleDC(nullptr)) {
  Canvas->GetFont()->Assign(GetFont());
  Canvas->SetHandle(ScratchDc);
}

TCustomControl::~TCustomControl() {
  DestroyHandle(); // while the canvas still follows the window
  Canvas->SetHandle(nullptr);
  DeleteDC(ScratchDc);
}

void TCustomControl::WndProc(TMessage& Message) {
  static constexpr TMessageHandler<TCustomControl> Table[] = {
      {WM_PAINT, &TCustomControl::WMPaint},
  };
  if (!DispatchMessage(*this, Table, Message)) TWinControl::WndProc(Message);
}

// Outside painting the canvas draws on the window's surface without a clip; without a window
// it measures text on the scratch context.
void TCustomControl::HandleChanged() {
  Canvas->SetHandle(HandleAllocated() ? GetHandle()->GetWindowDC() : ScratchDc);
}

void TCustomControl::FontChanged() {
  Canvas->GetFont()->Assign(GetFont());
}

// WParam is the painting context: fresh for this paint, clipped to the update region.
void TCustomControl::WMPaint(TMessage& Message) {
  auto* Dc = reinterpret_cast<HDC>(Message.WParam);
  if (!Dc) return;
  struct TRestore {
    TCustomControl* Self;
    ~TRestore() { Self->HandleChanged(); }
  } Restore{this};
  Canvas->SetHandle(Dc);
  Paint();
}

void TCustomControl::Paint() {}
