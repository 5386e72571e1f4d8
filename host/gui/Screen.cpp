// TScreen: the forms, the active form and control, the cursor shapes and the screen size.
#include "host/gui/Window.h"

#include "host/classes/Lists.h"
#include "host/gui/Forms.h"

#include <QGuiApplication>
#include <QScreen>

TForm* TScreen::GetForms(int Index) const {
  if (Index < 0 || Index >= GetFormCount()) ListIndexError(Index);
  return Forms[static_cast<size_t>(Index)];
}

TForm* TScreen::GetActiveForm() const {
  for (TForm* Form : Forms)
    if (Form->GetActive()) return Form;
  return nullptr;
}

TWinControl* TScreen::GetActiveControl() const {
  const TForm* Form = GetActiveForm();
  return Form ? Form->GetActiveControl() : nullptr;
}

HCURSOR TScreen::GetCursors(TCursor Index) const {
  return CursorOf(Index);
}

// A cursor for the whole application overrides every window's own until crDefault.
void TScreen::SetCursor(TCursor Value) {
  if (Value == Cursor) return;
  Cursor = Value;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (OverrideSet) QGuiApplication::restoreOverrideCursor();
  OverrideSet = Value != crDefault;
  if (OverrideSet) QGuiApplication::setOverrideCursor(ShapeOf(CursorOf(Value)));
}

int TScreen::GetWidth() const {
  EnsureGuiApplication();
  return QGuiApplication::primaryScreen()->geometry().width();
}

int TScreen::GetHeight() const {
  EnsureGuiApplication();
  return QGuiApplication::primaryScreen()->geometry().height();
}
