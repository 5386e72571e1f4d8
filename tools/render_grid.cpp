// Renders a grid with merged header cells, zebra stripes, a focus cell, a marked row and
// Cyrillic text to a PNG file, so that anyone can look at what the grid draws.
//
//   render_grid [output.png]      (default: grid.png; offscreen unless a display is set)
#include "grid/YGrids.h"
#include "host/gui/Forms.h"
#include "host/gui/Testing.h"

#include <cstdio>
#include <string>

namespace {

const char* const Groups[] = {"Основные", "Размеры", "Прочее"};
const char* const Names[] = {"Иванов",  "Петрова",  "Сидоров",  "Кузнецова",
                             "Смирнов", "Попова",   "Васильев", "Новикова",
                             "Фёдоров", "Морозова", "Волков",   "Алексеева"};

// Header texts for the three fixed rows; data texts for the rest.
std::string TextOf(std::int32_t Col, std::int32_t Row) {
  if (Col == 0) return Row < 3 ? (Row == 0 ? "№" : "") : std::to_string(Row - 2);
  if (Row == 0) return "ВСЕ ГРУППЫ";
  if (Row == 1) return Groups[(Col - 1) / 2];
  if (Row == 2) return std::to_string(Col);
  if (Col == 1) return Names[(Row - 3) % 12];
  return std::to_string((Row * 37 + Col * 11) % 1000);
}

void Fill(TYGrid& Grid) {
  TYCellsHolder* H = Grid.GetHolder();
  H->ChangeSize(7, 18);
  H->SetFixedRows(3);
  TYCellsUnions* U = H->GetCellsUnions();
  U->Add({0, 0}, {0, 0}, {0, 2}, false); // "№" over the three header rows
  U->Add({1, 0}, {1, 0}, {6, 0}, false); // "ВСЕ ГРУППЫ" over every data column
  for (int Group = 0; Group < 3; ++Group)
    U->Add({1 + 2 * Group, 1}, {1 + 2 * Group, 1}, {2 + 2 * Group, 1}, false);
  Grid.SetColWidths(0, 40);
  Grid.SetColWidths(1, 110);
  Grid.SetOptions(Grid.GetOptions() +
                  TYGridOptions{ygoZebraRows, ygoShowCurRow, ygoShowFocusFrame, ygoRowsMarking});
  Grid.GetRows(7)->SetMarked(true);
  Grid.OnDrawCellText = [](TYCustomGrid*, TYCell* Cell, std::int32_t, std::int32_t,
                           TYGridDrawStates, TRect&, std::string& Text, bool&, TAlignment& Hor,
                           TYVertAlignment&) {
    Text = TextOf(Cell->GetHolderCol(), Cell->GetHolderRow());
    if (Cell->GetHolderRow() < 3 || Cell->GetHolderCol() == 0)
      Hor = taCenter;
    else if (Cell->GetHolderCol() > 1)
      Hor = taRightJustify;
  };
  Grid.SetCol(2);
  Grid.SetRow(5);
}

} // namespace

int main(int argc, char** argv) {
  const std::string Output = argc > 1 ? argv[1] : "grid.png";
  Application->Initialize();
  TForm Form(nullptr);
  Form.SetCaption("YGrids");
  Form.SetBounds(0, 0, 620, 420);
  auto* Grid = new TYGrid(&Form);
  Grid->SetAlign(alClient);
  Grid->SetParent(&Form);
  Fill(*Grid);
  Form.Show();
  Form.SetActiveControl(Grid);
  Form.Activate();
  Grid->Update();
  if (!Testing::SaveWindow(*Grid, Output)) {
    std::fprintf(stderr, "render_grid: cannot write %s\n", Output.c_str());
    return 1;
  }
  std::printf("%s\n", Output.c_str());
  return 0;
}
