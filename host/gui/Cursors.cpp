// Cursor shapes: each cursor identifier has one handle, shown as a Qt cursor shape. SetCursor
// shows a shape over the window that has the mouse.
#include "host/gui/Window.h"

#include <array>

class TCursorHandle {
public:
  TCursor Id;
  Qt::CursorShape Shape;
};

namespace {
std::array<TCursorHandle, 22> Cursors{{
    {crDefault, Qt::ArrowCursor},
    {crNone, Qt::BlankCursor},
    {crArrow, Qt::ArrowCursor},
    {crCross, Qt::CrossCursor},
    {crIBeam, Qt::IBeamCursor},
    {crSizeNESW, Qt::SizeBDiagCursor},
    {crSizeNS, Qt::SizeVerCursor},
    {crSizeNWSE, Qt::SizeFDiagCursor},
    {crSizeWE, Qt::SizeHorCursor},
    {crUpArrow, Qt::UpArrowCursor},
    {crHourGlass, Qt::WaitCursor},
    {crDrag, Qt::DragMoveCursor},
    {crNoDrop, Qt::ForbiddenCursor},
    {crHSplit, Qt::SplitHCursor},
    {crVSplit, Qt::SplitVCursor},
    {crMultiDrag, Qt::DragCopyCursor},
    {crSQLWait, Qt::WaitCursor},
    {crNo, Qt::ForbiddenCursor},
    {crAppStart, Qt::BusyCursor},
    {crHelp, Qt::WhatsThisCursor},
    {crHandPoint, Qt::PointingHandCursor},
    {crSizeAll, Qt::SizeAllCursor},
}};

HCURSOR Current = nullptr;
} // namespace

HCURSOR CursorOf(TCursor Cursor) {
  for (TCursorHandle& H : Cursors)
    if (H.Id == Cursor) return &H;
  return CursorOf(crArrow);
}

Qt::CursorShape ShapeOf(HCURSOR Cursor) {
  return Cursor ? Cursor->Shape : Qt::ArrowCursor;
}

HCURSOR CursorOfShape(Qt::CursorShape Shape) {
  for (TCursorHandle& H : Cursors)
    if (H.Id != crDefault && H.Shape == Shape) return &H;
  return CursorOf(crArrow);
}

HCURSOR SetCursor(HCURSOR Cursor) {
  const HCURSOR Old = Current;
  Current = Cursor;
  if (TWindowHandle* W = MouseWindow()) W->ShowCursorShape(ShapeOf(Cursor));
  return Old;
}

HCURSOR GetCursor() {
  return Current;
}
