object Form5: TForm5
  BorderStyle = bsNone
  Caption = 'Video Window'
  Color = clBlack
  WindowState = wsMaximized
  OnClose = FormClose
  OnDblClick = FormDblClick
  OnKeyDown = FormKeyDown
  OnMouseDown = FormMouseDown
end
