object Form1: TForm1
  Left = 286
  Top = 129
  Width = 653
  Height = 348
  Caption = 'Form1'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  object StatusBar1: TStatusBar
    Left = 0
    Top = 329
    Width = 653
    Height = 19
    Panels = <
      item
        Width = 100
      end>
  end
  object YGrid1: TYGrid
    Left = 0
    Top = 0
    Width = 653
    Height = 329
    Align = alClient
    Fonts.CurColRowFontNotMark.Charset = DEFAULT_CHARSET
    Fonts.CurColRowFontNotMark.Color = clWindowText
    Fonts.CurColRowFontNotMark.Height = -11
    Fonts.CurColRowFontNotMark.Name = 'Tahoma'
    Fonts.CurColRowFontNotMark.Style = []
    Fonts.CurColRowFontMark.Charset = DEFAULT_CHARSET
    Fonts.CurColRowFontMark.Color = clWindowText
    Fonts.CurColRowFontMark.Height = -11
    Fonts.CurColRowFontMark.Name = 'Tahoma'
    Fonts.CurColRowFontMark.Style = []
    Fonts.CurColRowFontNotMarkUnActive.Charset = DEFAULT_CHARSET
    Fonts.CurColRowFontNotMarkUnActive.Color = clWindowText
    Fonts.CurColRowFontNotMarkUnActive.Height = -11
    Fonts.CurColRowFontNotMarkUnActive.Name = 'Tahoma'
    Fonts.CurColRowFontNotMarkUnActive.Style = []
    Fonts.CurColRowFontMarkUnActive.Charset = DEFAULT_CHARSET
    Fonts.CurColRowFontMarkUnActive.Color = clWindowText
    Fonts.CurColRowFontMarkUnActive.Height = -11
    Fonts.CurColRowFontMarkUnActive.Name = 'Tahoma'
    Fonts.CurColRowFontMarkUnActive.Style = []
    Fonts.DefaultCellFont1NotMark.Charset = DEFAULT_CHARSET
    Fonts.DefaultCellFont1NotMark.Color = clWindowText
    Fonts.DefaultCellFont1NotMark.Height = -11
    Fonts.DefaultCellFont1NotMark.Name = 'Tahoma'
    Fonts.DefaultCellFont1NotMark.Style = []
    Fonts.DefaultCellFont2NotMark.Charset = DEFAULT_CHARSET
    Fonts.DefaultCellFont2NotMark.Color = clWindowText
    Fonts.DefaultCellFont2NotMark.Height = -11
    Fonts.DefaultCellFont2NotMark.Name = 'Tahoma'
    Fonts.DefaultCellFont2NotMark.Style = []
    Fonts.DefaultCellFontMark.Charset = DEFAULT_CHARSET
    Fonts.DefaultCellFontMark.Color = clHighlightText
    Fonts.DefaultCellFontMark.Height = -11
    Fonts.DefaultCellFontMark.Name = 'Tahoma'
    Fonts.DefaultCellFontMark.Style = [fsBold]
    Fonts.DefaultCellFontMarkUnActive.Charset = DEFAULT_CHARSET
    Fonts.DefaultCellFontMarkUnActive.Color = clHighlightText
    Fonts.DefaultCellFontMarkUnActive.Height = -11
    Fonts.DefaultCellFontMarkUnActive.Name = 'Tahoma'
    Fonts.DefaultCellFontMarkUnActive.Style = [fsBold]
    Fonts.FocusCellFontNotMark.Charset = DEFAULT_CHARSET
    Fonts.FocusCellFontNotMark.Color = clHighlightText
    Fonts.FocusCellFontNotMark.Height = -11
    Fonts.FocusCellFontNotMark.Name = 'Tahoma'
    Fonts.FocusCellFontNotMark.Style = [fsBold]
    Fonts.FocusCellFontMark.Charset = DEFAULT_CHARSET
    Fonts.FocusCellFontMark.Color = clHighlightText
    Fonts.FocusCellFontMark.Height = -11
    Fonts.FocusCellFontMark.Name = 'Tahoma'
    Fonts.FocusCellFontMark.Style = [fsBold]
    Fonts.FocusCellFontNotMarkUnActive.Charset = DEFAULT_CHARSET
    Fonts.FocusCellFontNotMarkUnActive.Color = clHighlightText
    Fonts.FocusCellFontNotMarkUnActive.Height = -11
    Fonts.FocusCellFontNotMarkUnActive.Name = 'Tahoma'
    Fonts.FocusCellFontNotMarkUnActive.Style = [fsBold]
    Fonts.FocusCellFontMarkUnActive.Charset = DEFAULT_CHARSET
    Fonts.FocusCellFontMarkUnActive.Color = clHighlightText
    Fonts.FocusCellFontMarkUnActive.Height = -11
    Fonts.FocusCellFontMarkUnActive.Name = 'Tahoma'
    Fonts.FocusCellFontMarkUnActive.Style = [fsBold]
    Fonts.FixedButtonsFont.Charset = DEFAULT_CHARSET
    Fonts.FixedButtonsFont.Color = clWindowText
    Fonts.FixedButtonsFont.Height = -11
    Fonts.FixedButtonsFont.Name = 'Tahoma'
    Fonts.FixedButtonsFont.Style = [fsBold]
    Holder.ColCount = 7
    Holder.RowCount = 4
    Holder.FixedRows = 3
    Holder.ColWidths = (
      64
      64
      64
      64
      64
      64
      64)
    Holder.RowHeights = (
      24
      24
      24
      24)
    Images = ImageList1
    FocusFrameStyle = yffDotRect
    Options = [ygoFixedVertLine, ygoFixedHorzLine, ygoVertLine, ygoHorzLine, ygoShowFocusCell, ygoShowFocusFrame, ygoShowCurCol, ygoShowCurRow, ygoDrawMaskedImages, ygoSupportFixedButtons, ygoRowsMarking, ygoZebraCols, ygoZebraRows, ygoColSizing, ygoRowMoving, ygoColMoving, ygoThumbTracking]
    TabOrder = 1
    OnFocusCell = YGrid1FocusCell
    OnMarkRow = YGrid1MarkRow
    OnFreeCell = YGrid1FreeCell
    OnFreeCellsVector = YGrid1FreeCellsVector
    OnDrawCellText = YGrid1DrawCellText
    OnDrawImage = YGrid1DrawImage
    OnGetCellText = YGrid1GetCellText
    OnCheckButton = YGrid1CheckButton
    OnFixedCellClick = YGrid1FixedCellClick
  end
  object ImageList1: TImageList
    Masked = False
    Bitmap = {
      89504E470D0A1A0A0000000D49484452000000400000001008020000002985EE
      7E000000097048597300000EC400000EC401952B0E1B000000B4494441544889
      D596510E84200C44A7660FC6CDD09B71B3FAE32EB250A00A22F30564DABC29C1
      084C2E0200ACD5FEF511BF4274A1462BE74CA5D318A7E559D2C76C153DD8EAFC
      4D950A308EE65FCC454B14E0473F74AE5EA50C618098F8F5194E0124D6375C85
      9CE1E397B47DDD36D88A4D6D6E5B2CD78A1944F1B1F015AA9184485B7B7A2049
      8F5B0190CAD0031D223DEE06C089B8D3E091A3478300E836F5A3798E1EC123F6
      357AA011B33F2C00A6FE999B5E3BBCE0319EE4F99CA50000000049454E44AE42
      6082}
  end
end
