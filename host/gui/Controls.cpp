// TControl: bounds, parent, appearance properties and the properties children inherit.
#include "host/gui/Controls.h"

#include "host/gui/Forms.h"

bool NewStyleControls = true;

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), Font(std::make_unique<TFont>()) {
  Font->OnChange = [this](TObject*) { FontOnChange(); };
}

TControl::~TControl() {
  Font->OnChange = nullptr;
  if (Parent) Parent->RemoveControl(this);
}

// ---------------------------------------------------------------- bounds

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == Left && ATop == Top && AWidth == Width && AHeight == Height) return;
  Left = ALeft;
  Top = ATop;
  Width = AWidth;
  Height = AHeight;
  // A child placed by its Align keeps it: the parent places it again with its new size.
  if (Parent && Align != alNone && !Parent->Aligning) Parent->Realign();
}

TRect TControl::GetClientRect() const {
  return {0, 0, Width, Height};
}

void TControl::SetClientWidth(int Value) {
  SetWidth(Value + Width - GetClientWidth());
}

void TControl::SetClientHeight(int Value) {
  SetHeight(Value + Height - GetClientHeight());
}

TPoint TControl::GetClientOrigin() const {
  if (!Parent) return {Left, Top};
  const TPoint P = Parent->GetClientOrigin();
  return {P.X + Left, P.Y + Top};
}

TPoint TControl::ScreenToClient(TPoint Point) const {
  const TPoint O = GetClientOrigin();
  return {Point.X - O.X, Point.Y - O.Y};
}

TPoint TControl::ClientToScreen(TPoint Point) const {
  const TPoint O = GetClientOrigin();
  return {Point.X + O.X, Point.Y + O.Y};
}

// ---------------------------------------------------------------- parent and visibility

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == Parent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot be its own parent");
  if (Parent) Parent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetVisible(bool Value) {
  if (Value == Visible) return;
  Visible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
  if (Parent && Align != alNone) Parent->Realign();
}

void TControl::SetEnabled(bool Value) {
  if (Value == Enabled) return;
  Enabled = Value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetAlign(TAlign Value) {
  if (Value == Align) return;
  Align = Value;
  if (Parent) Parent->Realign();
}

// ---------------------------------------------------------------- appearance

void TControl::SetColor(TColor Value) {
  ParentColor = false;
  if (Value == Color) return;
  Color = Value;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentComponent(TComponent* AParent) {
  if (auto* WinParent = dynamic_cast<TWinControl*>(AParent)) SetParent(WinParent);
}

void TControl::SetParentColor(bool Value) {
  ParentColor = Value;
  if (Value && Parent) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool Value) {
  ParentFont = Value;
  if (Value && Parent) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetCtl3D(bool Value) {
  ParentCtl3D = false;
  if (Value == Ctl3D) return;
  Ctl3D = Value;
  Perform(CM_CTL3DCHANGED);
}

void TControl::SetParentCtl3D(bool Value) {
  ParentCtl3D = Value;
  if (Value && Parent) Perform(CM_PARENTCTL3DCHANGED);
}

void TControl::SetCursor(TCursor Value) {
  if (Value == Cursor) return;
  Cursor = Value;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  if (Value == BiDiMode) return;
  BiDiMode = Value;
  Perform(CM_BIDIMODECHANGED);
}

// The font was changed: by the program (the control stops following its parent's font) or
// by the parent (ChangingFont).
void TControl::FontOnChange() {
  if (!ChangingFont) ParentFont = false;
  FontChanged();
  Perform(CM_FONTCHANGED);
}

void TControl::FontChanged() {}

void TControl::CMParentColorChanged(TMessage&) {
  if (!ParentColor || !Parent) return;
  SetColor(Parent->GetColor());
  ParentColor = true;
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!ParentFont || !Parent) return;
  ChangingFont = true;
  Font->Assign(Parent->GetFont());
  ChangingFont = false;
}

void TControl::CMParentCtl3DChanged(TMessage&) {
  if (!ParentCtl3D || !Parent) return;
  SetCtl3D(Parent->GetCtl3D());
  ParentCtl3D = true;
}

// ---------------------------------------------------------------- repainting

// A control without a window of its own is drawn by its parent.
void TControl::Invalidate() {
  if (Parent) Parent->Invalidate();
}

void TControl::Update() {
  if (Parent) Parent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}
