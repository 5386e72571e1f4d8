// Common controls: the status bar.
#pragma once

#include "host/classes/Collections.h"
#include "host/gui/Controls.h"

#include <string>

class TStatusBar;

// One panel of a status bar: a text in a sunken box of a given width.
class TStatusPanel : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  const char* ClassName() const override { return "TStatusPanel"; }
  const std::string& GetText() const { return Text; } // UTF-8
  void SetText(const std::string& Value);
  int GetWidth() const { return Width; } // pixels; the last panel fills the rest of the bar
  void SetWidth(int Value);

private:
  std::string Text;
  int Width = 50;
};

class TStatusPanels : public TCollection {
public:
  TStatusPanels();
  const char* ClassName() const override { return "TStatusPanels"; }
  TStatusPanel* operator[](int Index) const { return static_cast<TStatusPanel*>(GetItem(Index)); }
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
};

// A bar of text panels along the bottom of a form, or one simple text across it.
class TStatusBar : public TCustomControl {
public:
  explicit TStatusBar(TComponent* AOwner);
  const char* ClassName() const override { return "TStatusBar"; }

  TStatusPanels* GetPanels() { return &Panels; }
  bool GetSimplePanel() const { return SimplePanel; }
  void SetSimplePanel(bool Value);
  const std::string& GetSimpleText() const { return SimpleText; }
  void SetSimpleText(const std::string& Value);

  // Where panel Index lies in the client area (the last one reaches the right edge).
  TRect PanelRect(int Index) const;

protected:
  void Paint() override;

private:
  void DrawPanel(const TRect& Rect, const std::string& Text);

  TStatusPanels Panels;
  bool SimplePanel = false;
  std::string SimpleText;
};
