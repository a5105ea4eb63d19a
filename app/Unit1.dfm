object Form1: TForm1
  BorderIcons = []
  BorderStyle = bsSingle
  Caption = 'Tavrel'
  ClientHeight = 529
  ClientWidth = 701
  Color = clBlack
  Position = poScreenCenter
end
