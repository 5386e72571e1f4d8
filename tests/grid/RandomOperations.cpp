// Thousands of random operations on small grids, from fixed seeds, with every invariant of
// the model checked after each one, and every piece of user data freed exactly once at the end.
// A hostile host's hooks raise now and then; the model must stay consistent all the same.
#include "tests/support/GridTestSupport.h"

#include <deque>
#include <functional>
#include <random>
#include <sstream>

namespace {

// The order of the rows' labels decides the sort; few distinct keys make many equal ones.
int CompareRows(void* A, void* B) {
  auto Key = [](void* Row) {
    const std::string Label = LabelOf(static_cast<TYCellsVector*>(Row));
    return static_cast<int>(std::hash<std::string>{}(Label) % 3);
  };
  return Key(A) - Key(B);
}

// Everything an operation that raises must leave as it was.
std::string Signature(TYCustomGrid& G) {
  TYCellsHolder* H = G.GetHolder();
  std::ostringstream Out;
  for (std::int32_t I = 0; I < H->GetColCount(); ++I)
    Out << LabelOf(H->GetCols(I)) << (H->GetCols(I)->GetVisible() ? '+' : '-')
        << H->GetCols(I)->GetSize() << ' ';
  for (std::int32_t I = 0; I < H->GetRowCount(); ++I)
    Out << LabelOf(H->GetRows(I)) << (H->GetRows(I)->GetVisible() ? '+' : '-')
        << H->GetRows(I)->GetSize() << ' ';
  Out << H->GetFixedCols() << '/' << H->GetFixedRows() << " unions "
      << H->GetCellsUnions()->GetUnionsCount() << " marks " << H->GetMarkedCount() << '/'
      << G.GetMarkedCount() << " at " << G.GetCol() << ',' << G.GetRow();
  return Out.str();
}

class RandomSession {
public:
  RandomSession(unsigned Seed, bool AHostile) : Rng(Seed), Hostile(AHostile) {
    Grid = MakeGrid(Pick(1, 8), Pick(1, 8), &Recorder);
    Recorder.AttachMarks(*Grid);
    if (!Hostile) return;
    Recorder.Raise = [this] { return Chance(3); };
    Grid->OnFocusCell = [this](TYCustomGrid*, TYCell*, std::int32_t&, std::int32_t&) {
      if (Chance(3)) throw EHostFailure();
    };
  }

  void Run(int Steps) {
    for (int Step = 0; Step < Steps; ++Step) {
      RunOne();
      auto Check = ModelConsistent(*Grid);
      if (!Check) {
        ADD_FAILURE() << "after step " << Step << ": " << History() << Check.message();
        return;
      }
      Recorder.Log.clear();
    }
  }

  // A hostile host stopped some init hooks, so some objects are freed without data; nothing
  // may be initialised twice or leak.
  void Finish() {
    Grid.reset();
    EXPECT_EQ(Recorder.LiveData, 0) << "user data leaked or freed twice";
    if (Hostile) {
      EXPECT_GT(HostFailures, 0) << "the hostile host never raised";
      std::erase(Recorder.Errors, std::string("free without data"));
    }
    EXPECT_TRUE(Recorder.Errors.empty()) << Recorder.Errors.front();
  }

private:
  using Operation = std::function<void()>;

  std::int32_t Pick(std::int32_t Low, std::int32_t High) {
    if (Low > High) throw std::logic_error("empty range in the test itself");
    return std::uniform_int_distribution<std::int32_t>(Low, High)(Rng);
  }
  bool Chance(int Percent) { return Pick(1, 100) <= Percent; }
  TYCellsHolder& H() { return *Grid->GetHolder(); }
  std::int32_t Cols() { return H().GetColCount(); }
  std::int32_t Rows() { return H().GetRowCount(); }
  TYCellsVector* AnyVector(bool Columns) {
    return Columns ? H().GetCols(Pick(0, Cols() - 1)) : H().GetRows(Pick(0, Rows() - 1));
  }
  TYCell* AnyCell() { return H().GetCells(Pick(0, Cols() - 1), Pick(0, Rows() - 1)); }

  void Note(const std::string& What) {
    Recent.push_back(What);
    if (Recent.size() > 12) Recent.pop_front();
  }
  std::string History() const {
    std::string Text = "recent operations:";
    for (const auto& What : Recent)
      Text += "\n  " + What;
    return Text + "\n";
  }

  // Runs one random operation. Operations may raise the grid's own error; then nothing
  // may have changed.
  void RunOne() {
    static const std::vector<std::pair<int, void (RandomSession::*)()>> Table = {
        {6, &RandomSession::Resize},         {6, &RandomSession::AddOrInsert},
        {5, &RandomSession::Delete},         {4, &RandomSession::DeleteRange},
        {8, &RandomSession::ShowHide},       {5, &RandomSession::ShowHideRange},
        {5, &RandomSession::Move},           {4, &RandomSession::SortRows},
        {3, &RandomSession::FixedCounts},    {7, &RandomSession::AddUnion},
        {3, &RandomSession::DropUnion},      {3, &RandomSession::EnableUnion},
        {3, &RandomSession::MarkingMode},    {12, &RandomSession::Mark},
        {2, &RandomSession::ClearMarks},     {3, &RandomSession::RangeData},
        {4, &RandomSession::FocusSomewhere}, {2, &RandomSession::Sizes},
    };
    int Total = 0;
    for (const auto& Entry : Table)
      Total += Entry.first;
    int Roll = Pick(1, Total);
    for (const auto& [Weight, Op] : Table) {
      if ((Roll -= Weight) > 0) continue;
      const std::string Before = Signature(*Grid);
      try {
        (this->*Op)();
      } catch (const EYInvalidGridOperation& E) {
        Note(std::string("  raised ") + E.what());
        EXPECT_EQ(Signature(*Grid), Before) << "an operation that raised changed the grid\n"
                                            << History();
      } catch (const EHostFailure&) {
        Note("  the host raised");
        ++HostFailures;
      }
      return;
    }
  }

  void Resize() {
    const std::int32_t C = Pick(0, 10) == 0 ? 0 : Pick(1, 9);
    const std::int32_t R = Pick(0, 10) == 0 ? 0 : Pick(1, 9);
    if (Chance(70)) {
      Note("ChangeSize " + std::to_string(C) + "x" + std::to_string(R));
      H().ChangeSize(C, R);
    } else if (Chance(50)) {
      Note("SetColCount " + std::to_string(C));
      H().SetColCount(C);
    } else {
      Note("SetRowCount " + std::to_string(R));
      H().SetRowCount(R);
    }
  }

  void AddOrInsert() {
    const bool Columns = Chance(50);
    const bool Shown = Chance(75);
    const std::int32_t Count = Columns ? Cols() : Rows();
    if (Chance(30)) {
      Note(std::string(Columns ? "AddCol " : "AddRow ") + (Shown ? "shown" : "hidden"));
      Columns ? H().AddCol(Shown) : H().AddRow(Shown);
      return;
    }
    const std::int32_t Index = Pick(-2, Count + 2);
    Note(std::string(Columns ? "InsertCol " : "InsertRow ") + std::to_string(Index) +
         (Shown ? " shown" : " hidden"));
    Columns ? H().InsertCol(Index, Shown) : H().InsertRow(Index, Shown);
  }

  void Delete() {
    const bool Columns = Chance(50);
    const std::int32_t Count = Columns ? Cols() : Rows();
    const std::int32_t Index = Pick(-1, Count);
    Note(std::string(Columns ? "DeleteCol " : "DeleteRow ") + std::to_string(Index));
    Columns ? H().DeleteCol(Index) : H().DeleteRow(Index);
  }

  // A random list of vectors of the given axis, with a foreign entry now and then.
  TList RandomVectors(bool Columns) {
    TList List;
    const std::int32_t Count = Columns ? Cols() : Rows();
    for (std::int32_t I = Pick(0, Count); I > 0; --I)
      List.Add(AnyVector(Columns));
    if ((Columns ? Rows() : Cols()) > 0 && Chance(20)) List.Add(AnyVector(!Columns));
    if (Chance(10)) List.Add(&Recorder);
    return List;
  }

  void DeleteRange() {
    const bool Columns = Chance(50);
    if ((Columns ? Cols() : Rows()) == 0) return;
    TList List = RandomVectors(Columns);
    Note(std::string(Columns ? "DeleteColsRange of " : "DeleteRowsRange of ") +
         std::to_string(List.GetCount()));
    Columns ? H().DeleteColsRange(&List) : H().DeleteRowsRange(&List);
  }

  void ShowHide() {
    const bool Columns = Chance(50);
    if ((Columns ? Cols() : Rows()) == 0) return;
    TYCellsVector* V = AnyVector(Columns);
    const bool Value = Chance(50);
    Note(std::string(Columns ? "col " : "row ") + std::to_string(V->GetHolderIndex()) +
         ".SetVisible " + std::to_string(Value));
    V->SetVisible(Value);
  }

  void ShowHideRange() {
    const bool Columns = Chance(50);
    if ((Columns ? Cols() : Rows()) == 0) return;
    if (Chance(25)) {
      Note(Columns ? "SetVisibleAllCols" : "SetVisibleAllRows");
      Columns ? H().SetVisibleAllCols() : H().SetVisibleAllRows();
      return;
    }
    TList List = RandomVectors(Columns);
    const bool Exclude = Chance(50);
    Note(std::string(Columns ? "SetVisibleColsRange " : "SetVisibleRowsRange ") +
         std::to_string(List.GetCount()) + (Exclude ? " exclude" : " include"));
    Columns ? H().SetVisibleColsRange(&List, Exclude) : H().SetVisibleRowsRange(&List, Exclude);
  }

  void Move() {
    const bool Columns = Chance(50);
    const std::int32_t Count = Columns ? Grid->GetColCount() : Grid->GetRowCount();
    if (Count == 0) return;
    const std::int32_t From = Pick(0, Count - 1);
    const std::int32_t To = Pick(0, Count - 1);
    Note(std::string(Columns ? "MoveColumn " : "MoveRow ") + std::to_string(From) + "->" +
         std::to_string(To));
    Columns ? Grid->MoveColumn(From, To) : Grid->MoveRow(From, To);
  }

  void SortRows() {
    const bool KeepFixed = Chance(60);
    Note(std::string("Sort keepfixed=") + (KeepFixed ? "1" : "0"));
    H().Sort(&CompareRows, KeepFixed);
  }

  void FixedCounts() {
    const bool Columns = Chance(50);
    const std::int32_t Value = Pick(-1, (Columns ? Cols() : Rows()));
    Note(std::string(Columns ? "SetFixedCols " : "SetFixedRows ") + std::to_string(Value));
    Columns ? H().SetFixedCols(Value) : H().SetFixedRows(Value);
  }

  void AddUnion() {
    if (Cols() == 0 || Rows() == 0) return;
    TYCellsUnions* U = H().GetCellsUnions();
    if (Chance(40)) {
      auto List = std::make_unique<TYCellList>();
      for (std::int32_t I = Pick(0, 5); I > 0; --I)
        List->Add(AnyCell());
      TYCell* Main =
          List->GetCount() > 0 && Chance(90) ? List->Get(Pick(0, List->GetCount() - 1)) : AnyCell();
      Note("Add union of a list of " + std::to_string(List->GetCount()));
      U->Add(Main, std::move(List), Chance(50));
      return;
    }
    const bool GridIdx = Chance(50) && Grid->GetColCount() > 0 && Grid->GetRowCount() > 0;
    const std::int32_t C = GridIdx ? Grid->GetColCount() : Cols();
    const std::int32_t R = GridIdx ? Grid->GetRowCount() : Rows();
    const TYGridCoord A{Pick(0, C - 1), Pick(0, R - 1)};
    const TYGridCoord B{std::min(C, A.X + Pick(-2, 2)), Pick(0, R - 1)}; // now and then outside
    const TYGridCoord Main = Chance(85) ? A : TYGridCoord{Pick(0, C - 1), Pick(0, R - 1)};
    Note("Add union (" + std::to_string(A.X) + "," + std::to_string(A.Y) + ")-(" +
         std::to_string(B.X) + "," + std::to_string(B.Y) + (GridIdx ? ") grid" : ") holder"));
    U->Add(Main, A, B, GridIdx);
  }

  void DropUnion() {
    TYCellsUnions* U = H().GetCellsUnions();
    if (Chance(10)) {
      Note("Clear unions");
      U->Clear();
      return;
    }
    const std::int32_t Index = Pick(-1, U->GetUnionsCount());
    Note("Delete union " + std::to_string(Index));
    U->Delete(Index);
  }

  void EnableUnion() {
    TYCellsUnions* U = H().GetCellsUnions();
    if (U->GetUnionsCount() == 0) return;
    TYCellsUnion* Union = U->GetUnions(Pick(0, U->GetUnionsCount() - 1));
    const bool Value = Chance(50);
    Note(std::string("union.SetEnabled ") + (Value ? "1" : "0"));
    Union->SetEnabled(Value);
  }

  void MarkingMode() {
    static const TYGridOption Modes[] = {ygoRowsMarking, ygoColsMarking, ygoCellsMarking};
    TYGridOptions O =
        Grid->GetOptions() - TYGridOptions{ygoRowsMarking, ygoColsMarking, ygoCellsMarking};
    const int Choice = Pick(0, 3);
    if (Choice < 3) O.Include(Modes[Choice]);
    Note("SetOptions marking " + std::to_string(Choice));
    Grid->SetOptions(O);
  }

  void Mark() {
    if (Cols() == 0 || Rows() == 0) return;
    Recorder.Vetoed.clear();
    if (Chance(20)) Recorder.Vetoed.push_back(LabelOf(AnyCell()));
    if (Chance(20)) Recorder.Vetoed.push_back(LabelOf(AnyVector(Chance(50))));
    const bool Value = Chance(65);
    const int Kind = Pick(0, 3);
    if (Kind == 3) {
      TYCellsUnions* U = H().GetCellsUnions();
      if (U->GetUnionsCount() == 0) return;
      Note(std::string("union.SetMarked ") + (Value ? "1" : "0"));
      U->GetUnions(Pick(0, U->GetUnionsCount() - 1))->SetMarked(Value);
    } else if (Kind == 2) {
      TYCell* Cell = AnyCell();
      Note("cell " + LabelOf(Cell) + ".SetMarked " + (Value ? "1" : "0"));
      Cell->SetMarked(Value);
    } else {
      TYCellsVector* V = AnyVector(Kind == 0);
      Note(LabelOf(V) + ".SetMarked " + (Value ? "1" : "0"));
      V->SetMarked(Value);
    }
  }

  void ClearMarks() {
    Note("ClearMark");
    H().ClearMark();
  }

  // The host releases and re-creates its data over a block; cells and vectors stay.
  void RangeData() {
    if (Cols() == 0 || Rows() == 0) return;
    const TYGridCoord A{Pick(0, Cols() - 1), Pick(0, Rows() - 1)};
    const TYGridCoord B{Pick(0, Cols() - 1), Pick(0, Rows() - 1)};
    Note("Free/InitCellsRangeData");
    H().FreeCellsRangeData(A, B);
    H().InitCellsRangeData(A, B);
    const bool Columns = Chance(50);
    const std::int32_t First = Pick(0, (Columns ? Cols() : Rows()) - 1);
    const std::int32_t Last = Pick(First, (Columns ? Cols() : Rows()) - 1);
    H().FreeVectorsRangeData(Columns, First, Last);
    H().InitVectorsRangeData(Columns, First, Last);
  }

  void FocusSomewhere() {
    if (Grid->GetColCount() == 0 || Grid->GetRowCount() == 0) return;
    const std::int32_t C = Pick(Grid->GetFixedCols(), Grid->GetColCount() - 1);
    const std::int32_t R = Pick(Grid->GetFixedRows(), Grid->GetRowCount() - 1);
    Note("focus " + std::to_string(C) + "," + std::to_string(R));
    if (Chance(50))
      Grid->SetCol(C);
    else
      Grid->SetRow(R);
  }

  void Sizes() {
    if (Cols() == 0 || Rows() == 0) return;
    Note("sizes");
    H().SetColWidths(Pick(0, Cols() - 1), Pick(0, 90));
    H().SetRowHeights(Pick(0, Rows() - 1), Pick(0, 40));
  }

  std::mt19937 Rng;
  bool Hostile;
  int HostFailures = 0;
  HookRecorder Recorder;
  std::unique_ptr<TYGrid> Grid;
  std::deque<std::string> Recent;
};

class RandomOperations : public testing::TestWithParam<unsigned> {};

TEST_P(RandomOperations, KeepTheModelConsistentAndFreeEveryPieceOfUserDataOnce) {
  RandomSession Session(GetParam(), false);
  Session.Run(2000);
  Session.Finish();
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomOperations, testing::Range(1u, 101u));

class HostileRandomOperations : public testing::TestWithParam<unsigned> {};

TEST_P(HostileRandomOperations, KeepTheModelConsistentWhenHooksRaise) {
  RandomSession Session(GetParam(), true);
  Session.Run(2000);
  Session.Finish();
}

INSTANTIATE_TEST_SUITE_P(Seeds, HostileRandomOperations, testing::Range(1u, 51u));

} // namespace
