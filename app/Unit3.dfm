object Form3: TForm3
  BorderIcons = []
  BorderStyle = bsDialog
  Caption = 'Color Space'
  ClientHeight = 284
  ClientWidth = 570
  Position = poScreenCenter
  OnShow = FormShow
  object skSkinData1: TskSkinData
    CompressedStoredSkin = skCompressedStoredSkin1
  end
  object skCompressedStoredSkin1: TskCompressedStoredSkin
    FileName = 'skin.ini'
    CompressedData = {skins/main}
  end
  object skFormSkin1: TskFormSkin
    BorderIcons = [biSystemMenu, biMinimize, biRollUp]
    ClientWidth = 570
    ClientHeight = 284
    SkinData = skSkinData1
  end
  object skSkinPanel1: TskSkinPanel
    Left = 16
    Top = 24
    Width = 289
    Height = 233
    SkinData = skSkinData1
    SkinDataName = 'panel'
    object Image1: TImage
      Left = 1
      Top = 1
      Width = 287
      Height = 231
    end
  end
  object Label1: TLabel
    Left = 320
    Top = 27
    Caption = 'Color R'
  end
  object skSkinTrackBar1: TskSkinTrackBar
    Left = 390
    Top = 24
    Width = 140
    Height = 20
    MinValue = -255
    MaxValue = 255
    Value = 0
    OnChange = skSkinTrackBar1Change
    SkinData = skSkinData1
    SkinDataName = 'htrackbar'
  end
  object Label6: TLabel
    Left = 536
    Top = 27
    Caption = '0'
  end
  object Label2: TLabel
    Left = 320
    Top = 67
    Caption = 'Color G'
  end
  object skSkinTrackBar2: TskSkinTrackBar
    Left = 390
    Top = 64
    Width = 140
    Height = 20
    MinValue = -255
    MaxValue = 255
    Value = 0
    OnChange = skSkinTrackBar2Change
    SkinData = skSkinData1
    SkinDataName = 'htrackbar'
  end
  object Label7: TLabel
    Left = 536
    Top = 67
    Caption = '0'
  end
  object Label3: TLabel
    Left = 320
    Top = 107
    Caption = 'Color B'
  end
  object skSkinTrackBar3: TskSkinTrackBar
    Left = 390
    Top = 104
    Width = 140
    Height = 20
    MinValue = -255
    MaxValue = 255
    Value = 0
    OnChange = skSkinTrackBar3Change
    SkinData = skSkinData1
    SkinDataName = 'htrackbar'
  end
  object Label8: TLabel
    Left = 536
    Top = 107
    Caption = '0'
  end
  object Label4: TLabel
    Left = 320
    Top = 147
    Caption = 'Bright'
  end
  object skSkinTrackBar4: TskSkinTrackBar
    Left = 390
    Top = 144
    Width = 140
    Height = 20
    MinValue = -255
    MaxValue = 255
    Value = 0
    OnChange = skSkinTrackBar4Change
    SkinData = skSkinData1
    SkinDataName = 'htrackbar'
  end
  object Label9: TLabel
    Left = 536
    Top = 147
    Caption = '0'
  end
  object Label5: TLabel
    Left = 320
    Top = 187
    Caption = 'Contrast'
  end
  object skSkinTrackBar5: TskSkinTrackBar
    Left = 390
    Top = 184
    Width = 140
    Height = 20
    MinValue = -255
    MaxValue = 255
    Value = 0
    OnChange = skSkinTrackBar5Change
    SkinData = skSkinData1
    SkinDataName = 'htrackbar'
  end
  object Label10: TLabel
    Left = 536
    Top = 187
    Caption = '0'
  end
  object skSkinCheckRadioBox1: TskSkinCheckRadioBox
    Left = 320
    Top = 216
    Width = 140
    Height = 20
    Caption = 'Enable Preview'
    Checked = True
    SkinData = skSkinData1
    SkinDataName = 'checkbox'
  end
  object skSkinButton1: TskSkinButton
    Left = 392
    Top = 246
    Width = 78
    Height = 28
    Caption = 'OK'
    OnClick = skSkinButton1Click
    SkinData = skSkinData1
    SkinDataName = 'button'
  end
  object skSkinButton2: TskSkinButton
    Left = 478
    Top = 246
    Width = 78
    Height = 28
    Caption = 'Cancel'
    OnClick = skSkinButton2Click
    SkinData = skSkinData1
    SkinDataName = 'button'
  end
end
