object SkinForm: TForm
  object skSkinData1: TskSkinData
    CompressedStoredSkin = skCompressedStoredSkin1
  end
  object skCompressedStoredSkin1: TskCompressedStoredSkin
    FileName = 'skin.ini'
    CompressedData = {tests/data/skin}
  end
end
