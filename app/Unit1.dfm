object Form1: TForm1
  BorderIcons = []
  BorderStyle = bsSingle
  Caption = 'Tavrel'
  ClientHeight = 529
  ClientWidth = 701
  Color = clBlack
  Position = poScreenCenter
  OnClose = FormClose
  OnCreate = FormCreate
  object skSkinData1: TskSkinData
    CompressedStoredSkin = skCompressedStoredSkin1
  end
  object skCompressedStoredSkin1: TskCompressedStoredSkin
    FileName = 'skin.ini'
    CompressedData = {skins/main}
  end
  object skSkinData2: TskSkinData
    CompressedStoredSkin = skCompressedStoredSkin2
  end
  object skCompressedStoredSkin2: TskCompressedStoredSkin
    FileName = 'skin.ini'
    CompressedData = {skins/second}
  end
  object skFormSkin1: TskFormSkin
    BorderIcons = [biSystemMenu, biMinimize, biRollUp]
    ClientWidth = 701
    ClientHeight = 529
    SkinData = skSkinData1
  end
  object skSkinPageControl1: TskSkinPageControl
    Left = -1
    Top = -19
    Width = 703
    Height = 549
    ActivePage = skSkinTabSheet1
    TabStop = False
    SkinDataName = 'tab'
    MultiLine = True
    object skSkinTabSheet1: TskSkinTabSheet
      Caption = 'Home'
      object Image1: TImage
        Left = 0
        Top = 0
        Width = 701
        Height = 529
        Picture.ResourceName = 'HOME_BACKGROUND'
      end
      object Image11: TImage
        Left = 60
        Top = 155
        Width = 228
        Height = 40
        Picture.ResourceName = 'HILITE_PICTURES'
      end
      object Image10: TImage
        Left = 60
        Top = 235
        Width = 184
        Height = 40
        Picture.ResourceName = 'HILITE_PLAYER'
      end
      object Image9: TImage
        Left = 60
        Top = 315
        Width = 144
        Height = 40
        Picture.ResourceName = 'HILITE_TV'
      end
      object Image24: TImage
        Left = 60
        Top = 395
        Width = 160
        Height = 40
        PopupMenu = skSkinPopupMenu5
        Picture.ResourceName = 'HILITE_CD'
      end
      object Label1: TLabel
        Left = 78
        Top = 155
        Width = 210
        Height = 40
        AutoSize = False
        Caption = 'Pictures'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -22
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label1Click
        OnMouseEnter = Label1MouseEnter
        OnMouseLeave = Label1MouseLeave
      end
      object Label2: TLabel
        Left = 78
        Top = 235
        Width = 166
        Height = 40
        AutoSize = False
        Caption = 'Player'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -22
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label2Click
        OnMouseEnter = Label2MouseEnter
        OnMouseLeave = Label2MouseLeave
      end
      object Label3: TLabel
        Left = 78
        Top = 315
        Width = 126
        Height = 40
        AutoSize = False
        Caption = 'TV'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -22
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label3Click
        OnMouseEnter = Label3MouseEnter
        OnMouseLeave = Label3MouseLeave
      end
      object Label21: TLabel
        Left = 78
        Top = 395
        Width = 142
        Height = 40
        AutoSize = False
        Caption = 'CD ripper'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -22
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label21Click
        OnMouseEnter = Label21MouseEnter
        OnMouseLeave = Label21MouseLeave
      end
    end
    object skSkinTabSheet2: TskSkinTabSheet
      Caption = 'Pictures'
      object Image2: TImage
        Left = 0
        Top = 0
        Width = 700
        Height = 531
        Picture.ResourceName = 'PAGE_BACKGROUND'
      end
      object Label4: TLabel
        Left = 16
        Top = 48
        Caption = 'FileName'
        Font.Color = clWhite
        Font.Height = -14
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Transparent = True
      end
      object pic_name: TLabel
        Left = 16
        Top = 70
        Caption = ' '
        Font.Color = clWhite
        Font.Height = -14
        Font.Name = 'Arial'
        Transparent = True
      end
      object Label5: TLabel
        Left = 16
        Top = 110
        Caption = 'File Location'
        Font.Color = clWhite
        Font.Height = -14
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Transparent = True
      end
      object pic_location: TLabel
        Left = 16
        Top = 132
        Caption = ' '
        Font.Color = clWhite
        Font.Height = -14
        Font.Name = 'Arial'
        Transparent = True
      end
      object Label6: TLabel
        Left = 16
        Top = 172
        Caption = 'Info'
        Font.Color = clWhite
        Font.Height = -14
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Transparent = True
      end
      object pic_wh: TLabel
        Left = 16
        Top = 194
        Caption = ' '
        Font.Color = clWhite
        Font.Height = -14
        Font.Name = 'Arial'
        Transparent = True
      end
      object pic_modify: TLabel
        Left = 16
        Top = 216
        Caption = ' '
        Font.Color = clWhite
        Font.Height = -14
        Font.Name = 'Arial'
        Transparent = True
      end
      object Image5: TImage
        Left = 213
        Top = 39
        Width = 469
        Height = 463
        Picture.ResourceName = 'LIST_BACKGROUND'
      end
      object Image8: TImage
        Left = 0
        Top = 0
        Width = 105
        Height = 105
        Visible = False
      end
      object Panel3: TPanel
        Left = 213
        Top = 39
        Width = 471
        Height = 463
        BevelOuter = bvNone
        object skSkinScrollBar1: TskSkinScrollBar
          Left = 452
          Top = 0
          Width = 19
          Height = 463
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
          Width = 452
          Height = 463
          Align = alClient
          Font.Color = clWhite
          LargeImages = ImageList1
          PopupMenu = skSkinPopupMenu1
          VScrollBar = skSkinScrollBar1
          OnClick = skSkinListView1Click
          OnCustomDraw = skSkinListView1CustomDraw
          OnDblClick = skSkinListView1DblClick
          SkinData = skSkinData1
          SkinDataName = 'listview'
        end
      end
    end
    object skSkinTabSheet3: TskSkinTabSheet
      Caption = 'Player'
      object Image3: TImage
        Left = 0
        Top = 0
        Width = 701
        Height = 529
        Picture.ResourceName = 'PAGE_BACKGROUND'
      end
      object Image18: TImage
        Left = 586
        Top = 300
        Width = 44
        Height = 32
      end
      object Image19: TImage
        Left = 586
        Top = 380
        Width = 44
        Height = 32
      end
      object Image20: TImage
        Left = 536
        Top = 340
        Width = 44
        Height = 32
      end
      object Image21: TImage
        Left = 636
        Top = 340
        Width = 44
        Height = 32
      end
      object Image22: TImage
        Left = 586
        Top = 340
        Width = 44
        Height = 32
      end
      object Label13: TLabel
        Left = 586
        Top = 300
        Width = 44
        Height = 32
        Alignment = taCenter
        AutoSize = False
        Caption = 'Vol +'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label13Click
        OnMouseEnter = Label13MouseEnter
        OnMouseLeave = Label13MouseLeave
      end
      object Label14: TLabel
        Left = 586
        Top = 380
        Width = 44
        Height = 32
        Alignment = taCenter
        AutoSize = False
        Caption = 'Vol -'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label14Click
        OnMouseEnter = Label14MouseEnter
        OnMouseLeave = Label14MouseLeave
      end
      object Label15: TLabel
        Left = 536
        Top = 340
        Width = 44
        Height = 32
        Alignment = taCenter
        AutoSize = False
        Caption = '<<'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label15Click
        OnMouseEnter = Label15MouseEnter
        OnMouseLeave = Label15MouseLeave
      end
      object Label16: TLabel
        Left = 636
        Top = 340
        Width = 44
        Height = 32
        Alignment = taCenter
        AutoSize = False
        Caption = '>>'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label16Click
        OnMouseEnter = Label16MouseEnter
        OnMouseLeave = Label16MouseLeave
      end
      object Label17: TLabel
        Left = 586
        Top = 340
        Width = 44
        Height = 32
        Alignment = taCenter
        AutoSize = False
        Caption = 'Full'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label17Click
        OnMouseEnter = Label17MouseEnter
        OnMouseLeave = Label17MouseLeave
      end
      object Label20: TLabel
        Left = 548
        Top = 434
        Caption = '00:00'
        Font.Color = clWhite
        Font.Height = -14
        Font.Name = 'Arial'
        Transparent = True
      end
      object Panel2: TPanel
        Left = 24
        Top = 20
        Width = 512
        Height = 400
        BevelOuter = bvNone
        Color = clBlack
        PopupMenu = skSkinPopupMenu3
        OnDblClick = Panel2DblClick
        object Image7: TImage
          Left = 0
          Top = 0
          Width = 512
          Height = 400
        end
      end
      object skSkinTrackBar1: TskSkinTrackBar
        Left = 24
        Top = 432
        Width = 512
        Height = 20
        Value = 0
        SkinData = skSkinData2
        SkinDataName = 'htrackbar'
      end
      object skSkinTrackBar2: TskSkinTrackBar
        Left = 600
        Top = 20
        Width = 20
        Height = 240
        MinValue = -5000
        MaxValue = 0
        Value = -2500
        Vertical = True
        OnChange = skSkinTrackBar2Change
        SkinData = skSkinData2
        SkinDataName = 'trackbar'
      end
      object skSkinSpeedButton17: TskSkinSpeedButton
        Left = 24
        Top = 466
        Width = 60
        Height = 28
        Caption = 'Play'
        OnClick = skSkinSpeedButton17Click
        SkinData = skSkinData2
        SkinDataName = 'toolbutton'
      end
      object skSkinSpeedButton18: TskSkinSpeedButton
        Left = 88
        Top = 466
        Width = 60
        Height = 28
        Caption = 'Pause'
        OnClick = skSkinSpeedButton18Click
        SkinData = skSkinData2
        SkinDataName = 'toolbutton'
      end
      object skSkinSpeedButton19: TskSkinSpeedButton
        Left = 152
        Top = 466
        Width = 60
        Height = 28
        Caption = 'Stop'
        OnClick = skSkinSpeedButton19Click
        SkinData = skSkinData2
        SkinDataName = 'toolbutton'
      end
      object skSkinSpeedButton20: TskSkinSpeedButton
        Left = 216
        Top = 466
        Width = 60
        Height = 28
        Caption = 'Mute'
        OnClick = skSkinSpeedButton20Click
        SkinData = skSkinData2
        SkinDataName = 'toolbutton'
      end
      object skSkinSpeedButton21: TskSkinSpeedButton
        Left = 280
        Top = 466
        Width = 60
        Height = 28
        Caption = '<<'
        OnClick = skSkinSpeedButton21Click
        SkinData = skSkinData2
        SkinDataName = 'toolbutton'
      end
      object skSkinSpeedButton22: TskSkinSpeedButton
        Left = 344
        Top = 466
        Width = 60
        Height = 28
        Caption = '>>'
        OnClick = skSkinSpeedButton22Click
        SkinData = skSkinData2
        SkinDataName = 'toolbutton'
      end
      object skSkinSpeedButton23: TskSkinSpeedButton
        Left = 408
        Top = 466
        Width = 60
        Height = 28
        Caption = 'Full'
        OnClick = skSkinSpeedButton23Click
        SkinData = skSkinData2
        SkinDataName = 'toolbutton'
      end
      object skSkinSpeedButton24: TskSkinSpeedButton
        Left = 472
        Top = 466
        Width = 60
        Height = 28
        Caption = 'Home'
        OnClick = skSkinSpeedButton24Click
        SkinData = skSkinData2
        SkinDataName = 'toolbutton'
      end
    end
    object skSkinTabSheet4: TskSkinTabSheet
      Caption = 'TV'
      OnHide = skSkinTabSheet4Hide
      object Image4: TImage
        Left = 0
        Top = 0
        Width = 701
        Height = 529
        Picture.ResourceName = 'PAGE_BACKGROUND'
      end
      object Image16: TImage
        Left = 536
        Top = 380
        Width = 44
        Height = 32
      end
      object Image14: TImage
        Left = 586
        Top = 340
        Width = 44
        Height = 32
      end
      object Image17: TImage
        Left = 636
        Top = 380
        Width = 44
        Height = 32
      end
      object Image15: TImage
        Left = 586
        Top = 420
        Width = 44
        Height = 32
      end
      object Image23: TImage
        Left = 586
        Top = 380
        Width = 44
        Height = 32
      end
      object Label9: TLabel
        Left = 536
        Top = 380
        Width = 44
        Height = 32
        Alignment = taCenter
        AutoSize = False
        Caption = 'CH -'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label9Click
        OnMouseEnter = Label9MouseEnter
        OnMouseLeave = Label9MouseLeave
      end
      object Label10: TLabel
        Left = 586
        Top = 340
        Width = 44
        Height = 32
        Alignment = taCenter
        AutoSize = False
        Caption = 'Vol +'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label10Click
        OnMouseEnter = Label10MouseEnter
        OnMouseLeave = Label10MouseLeave
      end
      object Label11: TLabel
        Left = 636
        Top = 380
        Width = 44
        Height = 32
        Alignment = taCenter
        AutoSize = False
        Caption = 'CH +'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label11Click
        OnMouseEnter = Label11MouseEnter
        OnMouseLeave = Label11MouseLeave
      end
      object Label12: TLabel
        Left = 586
        Top = 420
        Width = 44
        Height = 32
        Alignment = taCenter
        AutoSize = False
        Caption = 'Vol -'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label12Click
        OnMouseEnter = Label12MouseEnter
        OnMouseLeave = Label12MouseLeave
      end
      object Label18: TLabel
        Left = 586
        Top = 380
        Width = 44
        Height = 32
        Alignment = taCenter
        AutoSize = False
        Caption = 'Full'
        Cursor = crHandPoint
        Font.Color = clWhite
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Layout = tlCenter
        Transparent = True
        OnClick = Label18Click
        OnMouseEnter = Label18MouseEnter
        OnMouseLeave = Label18MouseLeave
      end
      object Panel1: TPanel
        Left = 24
        Top = 20
        Width = 432
        Height = 377
        BevelOuter = bvNone
        Color = clBlack
        PopupMenu = skSkinPopupMenu4
        OnDblClick = Panel1DblClick
      end
      object Panel6: TPanel
        Left = 40
        Top = 36
        Width = 57
        Height = 25
        BevelOuter = bvNone
        Color = clBlack
        Visible = False
      end
      object Panel5: TPanel
        Left = 500
        Top = 20
        Width = 170
        Height = 241
        BevelOuter = bvNone
        Color = clBlack
        object skSkinSpeedButton10: TskSkinSpeedButton
          Left = 5
          Top = 5
          Width = 50
          Height = 40
          Caption = '1'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton10Click
        end
        object skSkinSpeedButton2: TskSkinSpeedButton
          Left = 60
          Top = 5
          Width = 50
          Height = 40
          Caption = '2'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton2Click
        end
        object skSkinSpeedButton3: TskSkinSpeedButton
          Left = 115
          Top = 5
          Width = 50
          Height = 40
          Caption = '3'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton3Click
        end
        object skSkinSpeedButton4: TskSkinSpeedButton
          Left = 5
          Top = 52
          Width = 50
          Height = 40
          Caption = '4'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton4Click
        end
        object skSkinSpeedButton5: TskSkinSpeedButton
          Left = 60
          Top = 52
          Width = 50
          Height = 40
          Caption = '5'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton5Click
        end
        object skSkinSpeedButton6: TskSkinSpeedButton
          Left = 115
          Top = 52
          Width = 50
          Height = 40
          Caption = '6'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton6Click
        end
        object skSkinSpeedButton7: TskSkinSpeedButton
          Left = 5
          Top = 99
          Width = 50
          Height = 40
          Caption = '7'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton7Click
        end
        object skSkinSpeedButton8: TskSkinSpeedButton
          Left = 60
          Top = 99
          Width = 50
          Height = 40
          Caption = '8'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton8Click
        end
        object skSkinSpeedButton9: TskSkinSpeedButton
          Left = 115
          Top = 99
          Width = 50
          Height = 40
          Caption = '9'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton9Click
        end
        object skSkinSpeedButton15: TskSkinSpeedButton
          Left = 5
          Top = 146
          Width = 50
          Height = 40
          Caption = '/+'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton15Click
        end
        object skSkinSpeedButton12: TskSkinSpeedButton
          Left = 60
          Top = 146
          Width = 50
          Height = 40
          Caption = '0'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton12Click
        end
        object skSkinSpeedButton11: TskSkinSpeedButton
          Left = 115
          Top = 146
          Width = 50
          Height = 40
          Caption = '+'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton11Click
        end
        object skSkinSpeedButton13: TskSkinSpeedButton
          Left = 5
          Top = 193
          Width = 50
          Height = 40
          Caption = '-'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton13Click
        end
        object skSkinSpeedButton14: TskSkinSpeedButton
          Left = 60
          Top = 193
          Width = 50
          Height = 40
          Caption = 'Rec'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton14Click
        end
        object skSkinSpeedButton16: TskSkinSpeedButton
          Left = 115
          Top = 193
          Width = 50
          Height = 40
          Caption = 'Stop'
          SkinData = skSkinData2
          SkinDataName = 'toolbutton'
          OnClick = skSkinSpeedButton16Click
        end
      end
      object skSkinPanel2: TskSkinPanel
        Left = 24
        Top = 410
        Width = 432
        Height = 80
        Visible = False
        SkinData = skSkinData1
        SkinDataName = 'panel'
        object Label7: TLabel
          Left = 8
          Top = 12
          Caption = 'Device'
          Visible = False
        end
        object Label8: TLabel
          Left = 8
          Top = 44
          Caption = 'Sound'
          Visible = False
        end
        object ComboBox1: TskSkinComboBox
          Left = 64
          Top = 8
          Width = 300
          Height = 21
          SkinData = skSkinData1
        end
        object ComboBox2: TskSkinComboBox
          Left = 64
          Top = 40
          Width = 300
          Height = 21
          SkinData = skSkinData1
        end
      end
      object ComboBox3: TComboBox
        Left = 500
        Top = 280
        Width = 170
        Height = 21
        Style = csDropDownList
        Visible = False
        OnChange = ComboBox3Change
      end
    end
    object skSkinTabSheet5: TskSkinTabSheet
      Caption = 'Viewer'
      PopupMenu = skSkinPopupMenu2
      OnHide = skSkinTabSheet5Hide
      object Panel4: TPanel
        Left = 0
        Top = 0
        Width = 700
        Height = 530
        Align = alClient
        BevelOuter = bvNone
        Color = 4862234
        object Image12: TImage
          Left = 0
          Top = 0
          Width = 700
          Height = 530
          OnDblClick = Image12DblClick
        end
      end
    end
    object skSkinTabSheet6: TskSkinTabSheet
      Caption = 'CD ripper'
      object Image25: TImage
        Left = 0
        Top = 0
        Width = 701
        Height = 529
        Picture.ResourceName = 'PAGE_BACKGROUND'
      end
      object Label19: TLabel
        Left = 24
        Top = 28
        Caption = 'Driver'
        Font.Color = clWhite
        Font.Height = -14
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        Transparent = True
      end
      object skSkinComboBox1: TskSkinComboBox
        Left = 84
        Top = 24
        Width = 120
        Height = 21
        SkinData = skSkinData1
        OnChange = skSkinComboBox1Change
      end
      object skSkinPanel1: TskSkinPanel
        Left = 24
        Top = 60
        Width = 653
        Height = 400
        SkinData = skSkinData1
        SkinDataName = 'panel'
        object skSkinListView2: TskSkinListView
          Left = 8
          Top = 8
          Width = 637
          Height = 340
          Checkboxes = True
          Columns = <
            item
              Caption = 'Title'
              Width = 110
            end
            item
              Alignment = taCenter
              Caption = 'Track'
              Width = 125
            end
            item
              Alignment = taCenter
              Caption = 'Size on CD(MB)'
              Width = 270
            end
            item
              Alignment = taCenter
              Caption = 'Leng'
              Width = 150
            end>
          RowSelect = True
          ViewStyle = vsReport
          SkinData = skSkinData1
          SkinDataName = 'listview'
        end
        object skSkinButton2: TskSkinButton
          Left = 8
          Top = 360
          Width = 88
          Height = 28
          Caption = 'Start'
          OnClick = skSkinButton2Click
          SkinData = skSkinData1
          SkinDataName = 'button'
        end
        object skSkinButton3: TskSkinButton
          Left = 104
          Top = 360
          Width = 88
          Height = 28
          Caption = 'Stop'
          OnClick = skSkinButton3Click
          SkinData = skSkinData1
          SkinDataName = 'button'
        end
        object skSkinButton4: TskSkinButton
          Left = 200
          Top = 360
          Width = 88
          Height = 28
          Caption = 'Home'
          OnClick = skSkinButton4Click
          SkinData = skSkinData1
          SkinDataName = 'button'
        end
      end
      object skSkinGauge1: TskSkinGauge
        Left = 24
        Top = 472
        Width = 653
        Height = 24
        Value = 0
        ShowPercent = True
        ShowProgressText = True
        SkinData = skSkinData1
        SkinDataName = 'gauge'
      end
    end
  end
  object Timer1: TTimer
    Interval = 100
    OnTimer = Timer1Timer
  end
  object Timer2: TTimer
    Enabled = False
    Interval = 5000
    OnTimer = Timer2Timer
  end
  object Timer3: TTimer
    Interval = 500
    OnTimer = Timer3Timer
  end
  object Timer5: TTimer
    Enabled = False
    Interval = 100
    OnTimer = Timer5Timer
  end
  object ImageList1: TImageList
    Width = 100
    Height = 100
    AllocBy = 10
  end
  object OpenDialog1: TskSkinOpenDialog
    SkinData = skSkinData1
    CtrlSkinData = skSkinData1
    Title = 'Open file'
    Filter = 'All (*.bmp;*.ico;*.emf;*.wmf;*.jpg;*,png;*.tif;*.pcx;*.gif;*.tga;)|*.bmp;*.ico;*.emf;*.wmf;*.jpg;*.png;*.tif;*.pcx;*.gif;*.tga;'
    MultiSelection = True
  end
  object skSkinSaveDialog1: TskSkinSaveDialog
    SkinData = skSkinData1
    CtrlSkinData = skSkinData1
    Title = 'Save file'
    Filter = 'Bitmaps(*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg|PCX (*.pcx)|*.pcx|TGA (*.tga)|*.tga|TIF (*.tif)|*.tif|PNG (*.png)|*.png'
  end
  object skSkinPopupMenu1: TskSkinPopupMenu
    object Edit1: TMenuItem
      Caption = 'Edit'
      OnClick = Edit1Click
    end
    object Add1: TMenuItem
      Caption = 'Add'
      OnClick = Add1Click
    end
    object AddRot1: TMenuItem
      Caption = 'Add Rot'
      OnClick = AddRot1Click
    end
    object Remove1: TMenuItem
      Caption = 'Delete'
      OnClick = Remove1Click
    end
    object Removeall1: TMenuItem
      Caption = 'Clear all'
      OnClick = Removeall1Click
    end
    object SlideShow1: TMenuItem
      Caption = 'SlideShow'
      object Play3: TMenuItem
        Caption = 'Play'
        OnClick = Play3Click
      end
      object SetFolder2: TMenuItem
        Caption = 'Set Folder'
        OnClick = SetFolder2Click
      end
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object Home1: TMenuItem
      Caption = 'Home'
      OnClick = Home1Click
    end
  end
  object skSkinPopupMenu2: TskSkinPopupMenu
    object Mirror1: TMenuItem
      Caption = 'Mirror'
      OnClick = Mirror1Click
    end
    object Flip1: TMenuItem
      Caption = 'Flip'
      OnClick = Flip1Click
    end
    object Negative1: TMenuItem
      Caption = 'Negative'
      OnClick = Negative1Click
    end
    object Rotate1: TMenuItem
      Caption = 'Rotate ....'
      OnClick = Rotate1Click
    end
    object N2: TMenuItem
      Caption = '-'
    end
    object GrayScale1: TMenuItem
      Caption = 'Gray Scale'
      OnClick = GrayScale1Click
    end
    object Dither1: TMenuItem
      Caption = 'Dither'
      OnClick = Dither1Click
    end
    object N3: TMenuItem
      Caption = '-'
    end
    object Canves1: TMenuItem
      Caption = 'Canves'
      object ColorSpace1: TMenuItem
        Caption = 'Color Space'
        OnClick = ColorSpace1Click
      end
    end
    object N4: TMenuItem
      Caption = '-'
    end
    object Lighten1: TMenuItem
      Caption = 'Lighten'
      OnClick = Lighten1Click
    end
    object Darken1: TMenuItem
      Caption = 'Darken'
      OnClick = Darken1Click
    end
    object Contrast1: TMenuItem
      Caption = 'Contrast'
      OnClick = Contrast1Click
    end
    object Erode1: TMenuItem
      Caption = 'Erode'
      OnClick = Erode1Click
    end
    object Dilate1: TMenuItem
      Caption = 'Dilate'
      OnClick = Dilate1Click
    end
    object N5: TMenuItem
      Caption = '-'
    end
    object Blur1: TMenuItem
      Caption = 'Blur'
      OnClick = Blur1Click
    end
    object Soften1: TMenuItem
      Caption = 'Soften'
      OnClick = Soften1Click
    end
    object Sharpen1: TMenuItem
      Caption = 'Sharpen'
      OnClick = Sharpen1Click
    end
    object Edge1: TMenuItem
      Caption = 'Edge'
      OnClick = Edge1Click
    end
    object Emobss1: TMenuItem
      Caption = 'Emobss'
      OnClick = Emobss1Click
    end
    object N6: TMenuItem
      Caption = '-'
    end
    object FullScreen1: TMenuItem
      Caption = 'Full Screen'
      OnClick = FullScreen1Click
    end
    object N7: TMenuItem
      Caption = '-'
    end
    object Saveto1: TMenuItem
      Caption = 'Save to ...'
      OnClick = Saveto1Click
    end
    object ResetGraph1: TMenuItem
      Caption = 'Reset All'
      OnClick = ResetGraph1Click
    end
    object return1: TMenuItem
      Caption = '&Return'
      OnClick = return1Click
    end
  end
  object skSkinPopupMenu3: TskSkinPopupMenu
    object Play1: TMenuItem
      Caption = 'Play'
      OnClick = Play1Click
    end
    object Pause1: TMenuItem
      Caption = 'Pause'
      OnClick = Pause1Click
    end
    object Stop1: TMenuItem
      Caption = 'Stop'
      OnClick = Stop1Click
    end
    object Mute1: TMenuItem
      Caption = 'Mute'
      OnClick = Mute1Click
    end
    object N8: TMenuItem
      Caption = '   <--'
      OnClick = N8Click
    end
    object N9: TMenuItem
      Caption = '   -->'
      OnClick = N9Click
    end
    object FullScreen2: TMenuItem
      Caption = 'FullScreen'
      OnClick = FullScreen2Click
    end
    object PicSilide1: TMenuItem
      Caption = 'SilideShow'
      object Play2: TMenuItem
        Caption = 'Play'
        OnClick = Play2Click
      end
      object SetFolder1: TMenuItem
        Caption = 'Set Folder'
        OnClick = SetFolder1Click
      end
    end
    object N11: TMenuItem
      Caption = '-'
    end
    object Return2: TMenuItem
      Caption = 'Home'
      OnClick = Return2Click
    end
  end
  object skSkinPopupMenu4: TskSkinPopupMenu
    object FullScreen3: TMenuItem
      Caption = 'FullScreen'
      OnClick = FullScreen3Click
    end
    object Recoder1: TMenuItem
      Caption = 'Recoder'
      OnClick = Recoder1Click
    end
    object Stop2: TMenuItem
      Caption = 'Stop'
      OnClick = Stop2Click
    end
    object settings1: TMenuItem
      Caption = 'Settings'
      object setcapturepath1: TMenuItem
        Caption = 'Capture path'
        OnClick = setcapturepath1Click
      end
      object device1: TMenuItem
        Caption = 'Device'
        OnClick = device1Click
      end
    end
    object N10: TMenuItem
      Caption = '-'
    end
    object Homme1: TMenuItem
      Caption = 'Home'
      OnClick = Homme1Click
    end
  end
  object skSkinPopupMenu5: TskSkinPopupMenu
    object CDripper1: TMenuItem
      Caption = 'CD ripper'
      OnClick = CDripper1Click
    end
  end
end
