object Form6: TForm6
  BorderStyle = bsNone
  Caption = 'SlideShow'
  Color = clBlack
  FormStyle = fsStayOnTop
  WindowState = wsMaximized
  OnClose = FormClose
  object Timer1: TTimer
    Enabled = False
    Interval = 5000
    OnTimer = Timer1Timer
  end
  object Timer2: TTimer
    Enabled = False
    Interval = 8000
    OnTimer = Timer2Timer
  end
end
