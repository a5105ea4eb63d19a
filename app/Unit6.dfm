object Form6: TForm6
  BorderStyle = bsNone
  Caption = 'SlideShow'
  Color = clBlack
  FormStyle = fsStayOnTop
  WindowState = wsMaximized
  object Timer1: TTimer
    Enabled = False
    Interval = 5000
  end
  object Timer2: TTimer
    Enabled = False
    Interval = 8000
  end
end
