// One side of the comparison: a program that shows a table file in a 1920 x 1080 view. Every
// operation ends with the repaint it causes done (painted and shown on the window), so that
// both sides are timed for comparable work.
#pragma once

#include <memory>
#include <string>

inline constexpr int ViewWidth = 1920;
inline constexpr int ViewHeight = 1080;

class TTableSide {
public:
  virtual ~TTableSide() = default;
  // "ours" or "peer": the prefix of the side's figures.
  virtual const char* Name() const = 0;

  // Loads FileName, shows the view and paints all of it once.
  virtual void Open(const std::string& FileName) = 0;
  // Destroys the view and the table, freeing everything Open made.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  virtual void FullRepaint() = 0;
  // One row down, as the scroll bar's arrow does.
  virtual void ScrollOneRow() = 0;
  // The vertical scroll bar painted again, as every change of its position has it painted:
  // Qt's own drawing, part of every scroll on either side.
  virtual void RepaintScrollBar() = 0;
  // The Page Down key, with the current cell in the table.
  virtual void PageDown() = 0;
  // Leaves the number column and the two columns of the second group shown.
  virtual void HideGroups() = 0;
  virtual void ShowAllColumns() = 0;
  // Moves the column at view position From to position To.
  virtual void MoveColumn(int From, int To) = 0;
  // Sorts the rows ascending by the first text field (the surnames) and by the row numbers.
  virtual void SortByText() = 0;
  virtual void SortByNumber() = 0;

  // What the benchmark checks after the operations: the surname in the first data row, the
  // columns shown, and the first data row shown (0 for the file's first line).
  virtual std::string FirstSurname() const = 0;
  virtual int ShownColumns() const = 0;
  virtual int TopRow() const = 0;
  // Saves the window as it is shown, as a PNG.
  virtual bool SavePicture(const std::string& FileName) = 0;
};

// Handles the window system's waiting events until none is left, the repaints they cause
// included; both sides end their operations with it.
void SettleEvents();

std::unique_ptr<TTableSide> MakeOurSide();  // the demo's own form
std::unique_ptr<TTableSide> MakePeerSide(); // QTableView over a QStandardItemModel
