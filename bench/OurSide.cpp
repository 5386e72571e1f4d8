// Our side: the demo's own form, driven through the same entries a user's input takes.
#include "bench/TableSide.h"

#include "app/Unit1.h"
#include "host/gui/Forms.h"
#include "host/gui/Testing.h"
#include "host/gui/WinUser.h"

#include <stdexcept>

namespace {

// The demo's layout: fixed rows 0 (title), 1 (groups) and 2 (column numbers), then the data.
constexpr std::int32_t TitleRow = 0;
constexpr std::int32_t GroupRow = 1;
constexpr std::int32_t NumberRow = 2;
constexpr std::int32_t FirstDataRow = 3;
constexpr std::int32_t SecondGroupCol = 3; // grid column under "ГРУППА 2"
constexpr std::int32_t SurnameCol = 1;     // holder and grid column of the first field

class TOurSide : public TTableSide {
public:
  ~TOurSide() override {
    if (IsOpen()) Close();
  }
  const char* Name() const override { return "ours"; }

  void Open(const std::string& FileName) override {
    TForm1::ContentFile = FileName;
    Form = std::make_unique<TForm1>(Application);
    Form1 = Form.get();
    Grid = Form->YGrid1;
    Form->SetBounds(0, 0, ViewWidth, ViewHeight);
    Form->Show();
    Form->Activate();
    Settle();
  }
  void Close() override {
    Form.reset();
    Form1 = nullptr;
    Grid = nullptr;
    SettleEvents(); // windows deleted later go now
  }
  bool IsOpen() const override { return Form != nullptr; }

  void FullRepaint() override {
    Grid->Invalidate();
    Settle();
  }
  void ScrollOneRow() override {
    Testing::ScrollBarAction(*Grid, SB_VERT, SB_LINEDOWN);
    Settle();
  }
  void RepaintScrollBar() override {
    Testing::UpdateScrollBar(*Grid, SB_VERT);
    Settle();
  }
  void PageDown() override {
    Testing::PressKey(*Grid, VK_NEXT);
    Settle();
  }
  void HideGroups() override { ClickHeader(SecondGroupCol, GroupRow); }
  void ShowAllColumns() override { ClickHeader(SurnameCol, TitleRow); } // "ВСЕ ГРУППЫ"
  void MoveColumn(int From, int To) override {
    Grid->MoveColumn(From, To);
    Settle();
  }
  void SortByText() override { ClickHeader(SurnameCol, NumberRow); }
  void SortByNumber() override { ClickHeader(0, NumberRow); }

  std::string FirstSurname() const override {
    return std::string(CellTextOf(Grid->GetHolder()->GetCells(SurnameCol, FirstDataRow)));
  }
  int ShownColumns() const override { return Grid->GetColCount(); }
  int TopRow() const override { return Grid->GetTopRow() - FirstDataRow; }
  bool SavePicture(const std::string& FileName) override { return SaveFormImage(*Form, FileName); }

private:
  // The grid paints what is pending and the window shows it.
  void Settle() {
    Grid->Update();
    SettleEvents();
  }
  // A click on the header cell (or its merged cell) at grid (Col, Row), a quarter of its width
  // in: the middle of a merged cell may be the line between two columns, where a press sizes.
  void ClickHeader(std::int32_t Col, std::int32_t Row) {
    const TRect R = Grid->UnionRect(Col, Row);
    if (R.Right <= R.Left) throw std::logic_error("header cell not on screen");
    Testing::ClickAt(*Grid, R.Left + (R.Right - R.Left) / 4, (R.Top + R.Bottom) / 2);
    Settle();
  }

  std::unique_ptr<TForm1> Form;
  TYGrid* Grid = nullptr; // owned by the form
};

} // namespace

std::unique_ptr<TTableSide> MakeOurSide() {
  return std::make_unique<TOurSide>();
}
