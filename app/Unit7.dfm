object Form7: TForm7
  BorderStyle = bsDialog
  Caption = 'Config'
  ClientHeight = 366
  ClientWidth = 460
  Position = poScreenCenter
  object skSkinPageControl1: TskSkinPageControl
    Left = 8
    Top = 8
    Width = 444
    Height = 350
    ActivePage = skSkinTabSheet1
    object skSkinTabSheet1: TskSkinTabSheet
      Caption = 'Channel'
      object skSkinListView1: TskSkinListView
        Left = 8
        Top = 8
        Width = 360
        Height = 200
        Columns = <
          item
            Caption = 'Channel'
            Width = 80
          end
          item
            Caption = 'Name'
            Width = 260
          end>
        RowSelect = True
        ViewStyle = vsReport
      end
      object skSkinButton1: TskSkinButton
        Left = 208
        Top = 220
        Width = 76
        Height = 26
        Caption = 'Add'
      end
      object skSkinButton2: TskSkinButton
        Left = 292
        Top = 220
        Width = 76
        Height = 26
        Caption = 'Delete'
      end
    end
    object skSkinTabSheet2: TskSkinTabSheet
      Caption = 'input'
      object PlainGroupBox1: TPlainGroupBox
        Left = 24
        Top = 16
        Width = 385
        Height = 129
        Caption = 'Video Source'
        object Label3: TLabel
          Left = 16
          Top = 36
          Caption = 'Video Device'
        end
        object Label4: TLabel
          Left = 16
          Top = 78
          Caption = 'Video Source'
        end
        object skSkinComboBox1: TskSkinComboBox
          Left = 120
          Top = 32
          Width = 250
          Height = 21
        end
        object skSkinComboBox2: TskSkinComboBox
          Left = 120
          Top = 74
          Width = 250
          Height = 21
        end
      end
      object PlainGroupBox2: TPlainGroupBox
        Left = 24
        Top = 160
        Width = 385
        Height = 137
        Caption = 'Audio Source'
        object Label5: TLabel
          Left = 16
          Top = 36
          Caption = 'Audio Device'
        end
        object Label6: TLabel
          Left = 16
          Top = 78
          Caption = 'Audio Source'
        end
        object skSkinComboBox3: TskSkinComboBox
          Left = 120
          Top = 32
          Width = 250
          Height = 21
        end
        object skSkinComboBox4: TskSkinComboBox
          Left = 120
          Top = 74
          Width = 250
          Height = 21
        end
      end
    end
    object skSkinTabSheet3: TskSkinTabSheet
      Caption = 'working directory'
      object Label1: TLabel
        Left = 8
        Top = 16
        Caption = 'TV Capture'
      end
      object Edit1: TskSkinEdit
        Left = 8
        Top = 36
        Width = 280
        Height = 21
      end
      object skSkinButton3: TskSkinButton
        Left = 296
        Top = 34
        Width = 72
        Height = 25
        Caption = 'Browse'
      end
      object Label2: TLabel
        Left = 8
        Top = 76
        Caption = 'Default Pic'
      end
      object Edit2: TskSkinEdit
        Left = 8
        Top = 96
        Width = 280
        Height = 21
      end
      object skSkinButton4: TskSkinButton
        Left = 296
        Top = 94
        Width = 72
        Height = 25
        Caption = 'Browse'
      end
    end
  end
end
