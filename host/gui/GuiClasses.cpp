// What the host's visual classes store with a form.
#include "host/gui/GuiClasses.h"

#include "host/gui/ComCtrls.h"
#include "host/gui/Forms.h"
#include "host/gui/Graphics.h"

namespace {
const TIdentMap FontStyleNames{{fsBold, "fsBold"},
                               {fsItalic, "fsItalic"},
                               {fsUnderline, "fsUnderline"},
                               {fsStrikeOut, "fsStrikeOut"}};

void RegisterFont() {
  auto Props = RegisterProperties<TFont>("TFont", "");
  if (!Props) return;
  // A font stores all of itself: none of its properties has a default.
  Props
      ->Integer(
          "Charset", [](TFont& F) { return F.GetCharset(); },
          [](TFont& F, int V) { F.SetCharset(static_cast<TFontCharset>(V)); }, std::nullopt,
          &CharsetIdents())
      .Integer(
          "Color", [](TFont& F) { return F.GetColor(); }, [](TFont& F, TColor V) { F.SetColor(V); },
          std::nullopt, &ColorIdents())
      .Integer(
          "Height", [](TFont& F) { return F.GetHeight(); }, [](TFont& F, int V) { F.SetHeight(V); })
      .String(
          "Name", [](TFont& F) { return F.GetName(); },
          [](TFont& F, const std::string& V) { F.SetName(V); })
      .Set(
          "Style", FontStyleNames, [](TFont& F) { return F.GetStyle(); },
          [](TFont& F, TFontStyles V) { F.SetStyle(V); });
}

void RegisterControls() {
  if (auto Props = RegisterProperties<TControl>("TControl", "")) {
    Props
        ->Integer(
            "Left", [](TControl& C) { return C.GetLeft(); },
            [](TControl& C, int V) { C.SetLeft(V); })
        .Integer(
            "Top", [](TControl& C) { return C.GetTop(); }, [](TControl& C, int V) { C.SetTop(V); })
        .Integer(
            "Width", [](TControl& C) { return C.GetWidth(); },
            [](TControl& C, int V) { C.SetWidth(V); })
        .Integer(
            "Height", [](TControl& C) { return C.GetHeight(); },
            [](TControl& C, int V) { C.SetHeight(V); });
  }
  RegisterProperties<TWinControl>("TWinControl", "TControl");
  RegisterProperties<TCustomControl>("TCustomControl", "TWinControl");
}

void RegisterForm() {
  auto Props = RegisterProperties<TForm>("TForm", "TWinControl");
  if (!Props) return;
  Props
      ->String(
          "Caption", [](TForm& F) { return F.GetCaption(); },
          [](TForm& F, const std::string& V) { F.SetCaption(V); })
      .Integer(
          "Color", [](TForm& F) { return F.GetColor(); }, [](TForm& F, TColor V) { F.SetColor(V); },
          clBtnFace, &ColorIdents())
      .Object("Font", [](TForm& F) { return F.GetFont(); })
      .StoredIf([](TForm& F) { return !F.GetParentFont(); });
}

void RegisterStatusBar() {
  RegisterProperties<TStatusPanel>("TStatusPanel", "")
      ->String(
          "Text", [](TStatusPanel& P) { return P.GetText(); },
          [](TStatusPanel& P, const std::string& V) { P.SetText(V); })
      .Integer(
          "Width", [](TStatusPanel& P) { return P.GetWidth(); },
          [](TStatusPanel& P, int V) { P.SetWidth(V); }, 50);
  auto Props = RegisterProperties<TStatusBar>("TStatusBar", "TCustomControl",
                                              [](TComponent* O) { return new TStatusBar(O); });
  Props
      ->Enum(
          "Align", AlignIdents(), [](TStatusBar& S) { return S.GetAlign(); },
          [](TStatusBar& S, TAlign V) { S.SetAlign(V); }, alBottom)
      .Collection("Panels", [](TStatusBar& S) { return S.GetPanels(); })
      .Bool(
          "SimplePanel", [](TStatusBar& S) { return S.GetSimplePanel(); },
          [](TStatusBar& S, bool V) { S.SetSimplePanel(V); })
      .String(
          "SimpleText", [](TStatusBar& S) { return S.GetSimpleText(); },
          [](TStatusBar& S, const std::string& V) { S.SetSimpleText(V); });
}

void RegisterImageList() {
  RegisterProperties<TCustomImageList>("TCustomImageList", "");
  RegisterProperties<TImageList>("TImageList", "TCustomImageList",
                                 [](TComponent* O) { return new TImageList(O); })
      ->Integer(
          "Height", [](TImageList& L) { return L.GetHeight(); },
          [](TImageList& L, int V) { L.SetHeight(V); }, 16)
      .Bool(
          "Masked", [](TImageList& L) { return L.GetMasked(); },
          [](TImageList& L, bool V) { L.SetMasked(V); }, true)
      .Integer(
          "Width", [](TImageList& L) { return L.GetWidth(); },
          [](TImageList& L, int V) { L.SetWidth(V); }, 16);
}
} // namespace

void RegisterGuiClasses() {
  if (FindClassInfo("TForm")) return;
  RegisterFont();
  RegisterControls();
  RegisterForm();
  RegisterStatusBar();
  RegisterImageList();
}

const TIdentMap& ColorIdents() {
  static const TIdentMap Names{
      {clBlack, "clBlack"},
      {clMaroon, "clMaroon"},
      {clGreen, "clGreen"},
      {clOlive, "clOlive"},
      {clNavy, "clNavy"},
      {clPurple, "clPurple"},
      {clTeal, "clTeal"},
      {clGray, "clGray"},
      {clSilver, "clSilver"},
      {clRed, "clRed"},
      {clLime, "clLime"},
      {clYellow, "clYellow"},
      {clBlue, "clBlue"},
      {clFuchsia, "clFuchsia"},
      {clAqua, "clAqua"},
      {clWhite, "clWhite"},
      {clMoneyGreen, "clMoneyGreen"},
      {clSkyBlue, "clSkyBlue"},
      {clCream, "clCream"},
      {clMedGray, "clMedGray"},
      {clNone, "clNone"},
      {clDefault, "clDefault"},
      {clScrollBar, "clScrollBar"},
      {clBackground, "clBackground"},
      {clActiveCaption, "clActiveCaption"},
      {clInactiveCaption, "clInactiveCaption"},
      {clMenu, "clMenu"},
      {clWindow, "clWindow"},
      {clWindowFrame, "clWindowFrame"},
      {clMenuText, "clMenuText"},
      {clWindowText, "clWindowText"},
      {clCaptionText, "clCaptionText"},
      {clActiveBorder, "clActiveBorder"},
      {clInactiveBorder, "clInactiveBorder"},
      {clAppWorkSpace, "clAppWorkSpace"},
      {clHighlight, "clHighlight"},
      {clHighlightText, "clHighlightText"},
      {clBtnFace, "clBtnFace"},
      {clBtnShadow, "clBtnShadow"},
      {clGrayText, "clGrayText"},
      {clBtnText, "clBtnText"},
      {clInactiveCaptionText, "clInactiveCaptionText"},
      {clBtnHighlight, "clBtnHighlight"},
      {cl3DDkShadow, "cl3DDkShadow"},
      {cl3DLight, "cl3DLight"},
      {clInfoText, "clInfoText"},
      {clInfoBk, "clInfoBk"},
  };
  return Names;
}

const TIdentMap& CharsetIdents() {
  static const TIdentMap Names{
      {0, "ANSI_CHARSET"},       {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
      {2, "SYMBOL_CHARSET"},     {77, "MAC_CHARSET"},
      {128, "SHIFTJIS_CHARSET"}, {161, "GREEK_CHARSET"},
      {162, "TURKISH_CHARSET"},  {177, "HEBREW_CHARSET"},
      {178, "ARABIC_CHARSET"},   {186, "BALTIC_CHARSET"},
      {204, "RUSSIAN_CHARSET"},  {238, "EASTEUROPE_CHARSET"},
      {255, "OEM_CHARSET"},
  };
  return Names;
}

const TIdentMap& AlignIdents() {
  static const TIdentMap Names{{alNone, "alNone"}, {alTop, "alTop"},     {alBottom, "alBottom"},
                               {alLeft, "alLeft"}, {alRight, "alRight"}, {alClient, "alClient"}};
  return Names;
}
