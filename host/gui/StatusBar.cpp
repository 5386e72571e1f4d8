#include "host/gui/ComCtrls.h"

#include "host/gui/WinApi.h"

#include <algorithm>
#include <memory>

namespace {
constexpr int PanelGap = 2;   // pixels between panels
constexpr int TextMargin = 3; // pixels between a panel's edge and its text
} // namespace

void TStatusPanel::SetText(const std::string& Value) {
  if (Value == Text) return;
  Text = Value;
  Changed();
}

void TStatusPanel::SetWidth(int Value) {
  if (Value == Width) return;
  Width = Value;
  Changed();
}

TStatusPanels::TStatusPanels()
    : TCollection([](TCollection& Owner) { return std::make_unique<TStatusPanel>(Owner); }) {}

TStatusBar::TStatusBar(TComponent* AOwner) : TCustomControl(AOwner) {
  Panels.OnUpdate = [this](TCollectionItem*) { Invalidate(); };
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, 19);
  SetAlign(alBottom);
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (Value == SimplePanel) return;
  SimplePanel = Value;
  Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& Value) {
  if (Value == SimpleText) return;
  SimpleText = Value;
  if (SimplePanel) Invalidate();
}

TRect TStatusBar::PanelRect(int Index) const {
  const TRect Client = GetClientRect();
  int Left = Client.Left;
  for (int I = 0; I < Index; ++I)
    Left += Panels[I]->GetWidth();
  const bool Last = Index == Panels.GetCount() - 1;
  const int Right = Last ? Client.Right : Left + Panels[Index]->GetWidth() - PanelGap;
  return {Left, Client.Top + PanelGap, std::max(Left, Right), Client.Bottom};
}

void TStatusBar::Paint() {
  TCanvas* Canvas = GetCanvas();
  Canvas->GetBrush()->Color = GetColor();
  Canvas->FillRect(GetClientRect());
  if (SimplePanel) {
    const TRect Client = GetClientRect();
    return DrawPanel({Client.Left, Client.Top + PanelGap, Client.Right, Client.Bottom}, SimpleText);
  }
  for (int I = 0; I < Panels.GetCount(); ++I)
    DrawPanel(PanelRect(I), Panels[I]->GetText());
}

// A sunken box with the text left-aligned and vertically centred, cut with an ellipsis.
void TStatusBar::DrawPanel(const TRect& Rect, const std::string& Text) {
  TCanvas* Canvas = GetCanvas();
  TRect Box = Rect;
  DrawEdge(Canvas->GetHandle(), &Box, BDR_SUNKENOUTER, BF_RECT);
  Canvas->GetFont()->Assign(GetFont());
  Canvas->GetFont()->SetColor(clBtnText);
  Canvas->GetBrush()->Style = bsClear;
  TRect TextBox{Rect.Left + TextMargin, Rect.Top + 1, Rect.Right - TextMargin, Rect.Bottom - 1};
  DrawText(Canvas->GetHandle(), Text, -1, &TextBox,
           DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  Canvas->GetBrush()->Style = bsSolid;
}
