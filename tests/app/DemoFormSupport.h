// The demo's form created in-process over a "Content.ini" written for the test.
#pragma once

#include "app/Unit1.h"

#include "host/classes/SysUtils.h"
#include "host/gui/Forms.h"
#include "host/gui/Testing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

inline std::string ContentPath() {
  return ExtractFilePath(Application->GetExeName()) + "Content.ini";
}

inline void WriteContent(const std::string& Bytes) {
  std::ofstream(ContentPath(), std::ios::binary) << Bytes;
}

class DemoForm : public testing::Test {
protected:
  void SetUp() override { Application->Initialize(); }
  void TearDown() override {
    Form.reset();
    Form1 = nullptr;
    std::remove(ContentPath().c_str());
    Application->ClearMessageBoxCalls();
  }
  // Creates the form over Content (nullptr: no file at all).
  void Open(const char* Content) {
    std::remove(ContentPath().c_str());
    if (Content) WriteContent(Content);
    Form = std::make_unique<TForm1>(Application);
    Form1 = Form.get();
    Grid = Form->YGrid1;
    Holder = Grid->GetHolder();
  }
  std::string TextOf(std::int32_t Col, std::int32_t Row) {
    return std::string(CellTextOf(Holder->GetCells(Col, Row)));
  }
  // What the form supplies for the cell at grid (Col, Row): text, left edge, font colour.
  struct Supplied {
    std::string Text;
    int Left;
    TColor FontColor;
  };
  Supplied Supply(std::int32_t Col, std::int32_t Row) {
    TYCell* Cell = Grid->GetCells(Col, Row);
    if (TYCellsUnion* Union = Cell->GetUnion()) Cell = Union->GetMainCell();
    TRect Rect{10, 0, 60, 20};
    std::string Text;
    bool Multiline = false;
    TAlignment Hor = taLeftJustify;
    TYVertAlignment Vert = yvaCenter;
    Grid->GetCanvas()->GetFont()->SetColor(clBlack);
    Form->YGrid1DrawCellText(Grid, Cell, Col, Row, {}, Rect, Text, Multiline, Hor, Vert);
    return {Text, Rect.Left, Grid->GetCanvas()->GetFont()->GetColor()};
  }
  std::int32_t ImageOf(std::int32_t Col, std::int32_t Row, TAlignment* Alignment = nullptr) {
    TRect Rect{0, 0, 60, 20};
    std::int32_t Index = -1;
    TAlignment Hor = taLeftJustify;
    TYVertAlignment Vert = yvaCenter;
    Form->YGrid1DrawImage(Grid, Grid->GetCells(Col, Row), Col, Row, {}, Rect, Index, Hor, Vert);
    if (Alignment) *Alignment = Hor;
    return Index;
  }
  std::string StatusText() { return (*Form->StatusBar1->GetPanels())[0]->GetText(); }
  // A pixel of the grid's surface once what is pending is painted.
  TColor Pixel(int X, int Y) {
    Grid->Update();
    return Testing::SurfacePixel(*Grid, X, Y);
  }

  std::unique_ptr<TForm1> Form;
  TYGrid* Grid = nullptr;
  TYCellsHolder* Holder = nullptr;
};
