object Form8: TForm8
  BorderStyle = bsNone
  Caption = 'TV '
  Color = clBlack
  WindowState = wsMaximized
  OnClose = FormClose
  OnDblClick = FormDblClick
  OnKeyDown = FormKeyDown
  OnMouseDown = FormMouseDown
  OnPaint = FormPaint
  OnShow = FormShow
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 640
    Height = 480
    Align = alClient
    BevelOuter = bvNone
    Color = clBlack
  end
  object Panel2: TPanel
    Left = 48
    Top = 39
    Width = 41
    Height = 25
    BevelOuter = bvNone
    Color = clBlack
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 5000
    OnTimer = Timer1Timer
  end
end
