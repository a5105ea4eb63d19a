object Form9: TForm9
  BorderIcons = []
  BorderStyle = bsDialog
  Caption = 'Rotate'
  ClientHeight = 372
  ClientWidth = 335
  Position = poScreenCenter
  OnShow = FormShow
  object skSkinData1: TskSkinData
    CompressedStoredSkin = skCompressedStoredSkin1
  end
  object skCompressedStoredSkin1: TskCompressedStoredSkin
    FileName = 'skin.ini'
    CompressedData = {skins/main}
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
    Left = 16
    Top = 277
    Caption = 'Rotate'
  end
  object skSkinTrackBar1: TskSkinTrackBar
    Left = 86
    Top = 274
    Width = 190
    Height = 20
    MinValue = -180
    MaxValue = 180
    Value = 0
    OnChange = skSkinTrackBar1Change
    SkinData = skSkinData1
    SkinDataName = 'htrackbar'
  end
  object Label6: TLabel
    Left = 286
    Top = 277
    Caption = '0'
  end
  object skSkinCheckRadioBox1: TskSkinCheckRadioBox
    Left = 16
    Top = 306
    Width = 140
    Height = 20
    Caption = 'Enable Preview'
    Checked = True
    SkinData = skSkinData1
    SkinDataName = 'checkbox'
  end
  object skSkinButton1: TskSkinButton
    Left = 163
    Top = 332
    Width = 78
    Height = 28
    Caption = 'OK'
    OnClick = skSkinButton1Click
    SkinData = skSkinData1
    SkinDataName = 'button'
  end
  object skSkinButton2: TskSkinButton
    Left = 249
    Top = 332
    Width = 78
    Height = 28
    Caption = 'Cancel'
    OnClick = skSkinButton2Click
    SkinData = skSkinData1
    SkinDataName = 'button'
  end
end
