#include "host/gui/Controls.h"

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  Left = ALeft;
  Top = ATop;
  Width = AWidth;
  Height = AHeight;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}
