object Form10: TForm10
  BorderIcons = []
  BorderStyle = bsDialog
  Caption = 'Device Settings'
  ClientHeight = 345
  ClientWidth = 422
  Position = poScreenCenter
  object skSkinData1: TskSkinData
    CompressedStoredSkin = skCompressedStoredSkin1
  end
  object skCompressedStoredSkin1: TskCompressedStoredSkin
    FileName = 'skin.ini'
    CompressedData = {skins/main}
  end
  object skFormSkin1: TskFormSkin
    BorderIcons = [biSystemMenu, biMinimize, biRollUp]
    ClientWidth = 422
    ClientHeight = 345
    SkinData = skSkinData1
  end
  object PlainGroupBox1: TPlainGroupBox
    Left = 16
    Top = 8
    Width = 385
    Height = 129
    Caption = 'Video Source'
    object Label1: TLabel
      Left = 16
      Top = 36
      Caption = 'Video Device'
    end
    object Label2: TLabel
      Left = 16
      Top = 78
      Caption = 'Video Source'
    end
    object skSkinComboBox1: TskSkinComboBox
      Left = 120
      Top = 32
      Width = 250
      Height = 21
      SkinData = skSkinData1
    end
    object skSkinComboBox2: TskSkinComboBox
      Left = 120
      Top = 74
      Width = 250
      Height = 21
      SkinData = skSkinData1
    end
  end
  object PlainGroupBox2: TPlainGroupBox
    Left = 16
    Top = 144
    Width = 385
    Height = 137
    Caption = 'Audio Source'
    object Label3: TLabel
      Left = 16
      Top = 36
      Caption = 'Audio Device'
    end
    object Label4: TLabel
      Left = 16
      Top = 78
      Caption = 'Audio Source'
    end
    object skSkinComboBox3: TskSkinComboBox
      Left = 120
      Top = 32
      Width = 250
      Height = 21
      SkinData = skSkinData1
    end
    object skSkinComboBox4: TskSkinComboBox
      Left = 120
      Top = 74
      Width = 250
      Height = 21
      SkinData = skSkinData1
    end
  end
  object skSkinButton1: TskSkinButton
    Left = 236
    Top = 298
    Width = 80
    Height = 28
    Caption = 'OK'
    OnClick = skSkinButton1Click
    SkinData = skSkinData1
    SkinDataName = 'button'
  end
  object skSkinButton2: TskSkinButton
    Left = 326
    Top = 298
    Width = 80
    Height = 28
    Caption = 'Cancel'
    OnClick = skSkinButton2Click
    SkinData = skSkinData1
    SkinDataName = 'button'
  end
end
