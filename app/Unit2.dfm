object Form2: TForm2
  BorderIcons = []
  BorderStyle = bsSizeToolWin
  Caption = 'Play List'
  ClientHeight = 289
  ClientWidth = 187
  FormStyle = fsStayOnTop
  OnCloseQuery = FormCloseQuery
  object skSkinData2: TskSkinData
    CompressedStoredSkin = skCompressedStoredSkin2
  end
  object skCompressedStoredSkin2: TskCompressedStoredSkin
    FileName = 'skin.ini'
    CompressedData = {skins/second}
  end
  object skFormSkin1: TskFormSkin
    BorderIcons = [biSystemMenu, biMinimize, biRollUp]
    ClientWidth = 187
    ClientHeight = 289
    SkinData = skSkinData2
  end
  object skSkinPanel1: TskSkinPanel
    Left = 0
    Top = 0
    Width = 187
    Height = 289
    Align = alClient
    SkinData = skSkinData2
    SkinDataName = 'panel'
    object skSkinScrollBar1: TskSkinScrollBar
      Left = 168
      Top = 0
      Width = 19
      Height = 289
      Align = alRight
      Kind = sbVertical
      SkinData = skSkinData2
      SkinDataName = 'vscrollbar'
      DefaultWidth = 19
      DefaultHeight = 0
    end
    object skSkinListView1: TskSkinListView
      Left = 0
      Top = 0
      Width = 168
      Height = 289
      Align = alClient
      Columns = <
        item
          Caption = 'name'
          Width = 150
        end>
      PopupMenu = skSkinPopupMenu1
      RowSelect = True
      ViewStyle = vsReport
      VScrollBar = skSkinScrollBar1
      OnDblClick = skSkinListView1DblClick
      SkinData = skSkinData2
      SkinDataName = 'listview'
    end
  end
  object skSkinListBox1: TskSkinListBox
    Left = 0
    Top = 0
    Width = 100
    Height = 40
    Visible = False
  end
  object skSkinPopupMenu1: TskSkinPopupMenu
    object Remove1: TMenuItem
      Caption = 'Remove'
      OnClick = Remove1Click
    end
    object ClearList1: TMenuItem
      Caption = 'Clear List'
      OnClick = ClearList1Click
    end
    object N2: TMenuItem
      Caption = '-'
    end
    object AddFiles1: TMenuItem
      Caption = 'Add Files'
      OnClick = AddFiles1Click
    end
    object SaveList1: TMenuItem
      Caption = 'Save List'
      OnClick = SaveList1Click
    end
    object SaveListAs1: TMenuItem
      Caption = 'Save List As'
      OnClick = SaveListAs1Click
    end
    object OpenList1: TMenuItem
      Caption = 'Open List'
      OnClick = OpenList1Click
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object AudioMode1: TMenuItem
      Caption = 'Audio Mode'
      Checked = True
      OnClick = AudioMode1Click
    end
    object VideoMode1: TMenuItem
      Caption = 'Video Mode'
      OnClick = VideoMode1Click
    end
  end
  object skSkinOpenDialog1: TskSkinOpenDialog
    SkinData = skSkinData2
    CtrlSkinData = skSkinData2
    Title = 'Open Audio files'
    Filter = 'All(*.mp3;*.wma;*.wav;)|*.mp3;*.wma;*.wav;'
    MultiSelection = True
  end
  object skSkinOpenDialog2: TskSkinOpenDialog
    SkinData = skSkinData2
    CtrlSkinData = skSkinData2
    Title = 'Open Video files'
    Filter = 'All(*.rmvb;*.mpg;*.mov;*.avi;*.vob;*.wmv;*.dat;*.asf;)|*.rmvb;*.mpg;*.mov;*.avi;*.vob;*.wmv;*.dat;*.asf;'
  end
  object skSkinOpenDialog3: TskSkinOpenDialog
    SkinData = skSkinData2
    CtrlSkinData = skSkinData2
    Title = 'Open file'
    Filter = 'Play List|*.lst'
  end
  object skSkinSaveDialog1: TskSkinSaveDialog
    SkinData = skSkinData2
    CtrlSkinData = skSkinData2
    Title = 'Save file'
    Filter = 'All files|*.lst'
  end
end
