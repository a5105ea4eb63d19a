object Form4: TForm4
  BorderStyle = bsNone
  Color = 4594432
  WindowState = wsMaximized
  OnShow = FormShow
  object ScrollBox1: TScrollBox
    Left = 0
    Top = 0
    Width = 640
    Height = 480
    Align = alClient
    BorderStyle = bsNone
    object Image1: TImage
      Left = 0
      Top = 0
      Width = 640
      Height = 480
      Align = alClient
      OnDblClick = Image1DblClick
    end
  end
end
