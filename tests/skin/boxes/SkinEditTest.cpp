
TEST_F(SkinEditSkinTest, HeightFollowsTheSkinOrTheFont) {
  const auto textHeight = [](TskSkinCustomEdit& E) {
    TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->SetFont(E.Font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(b.Canvas()->Handle(), &metrics);
    return static_cast<int>(metrics.tmHeight);
  };
  Edit->SetHeight(33);
  EXPECT_EQ(Edit->Height(), 33) << "default look with the skin font: any height";
  Edit->SetUseSkinFont(false);
  Edit->AdjustEditHeight();
  EXPECT_EQ(Edit->Height(), textHeight(*Edit) + 4);

  Edit->SetSkinData(Skin.get());
  EXPECT_EQ(Edit->Height(), textHeight(*Edit) + 21 - 15) << "skinned without the skin font: text and skin frame";
  Edit->SetUseSkinFont(true);
  Edit->SetHeight(50);
  EXPECT_EQ(Edit->Height(), 21);
}

TEST_F(SkinEditSkinTest, HoverAndFocusTakeTheActiveColours) {
  Edit->SetSkinData(Skin.get());
  ButtonEdit->SetSkinData(Skin.get());
  ButtonEdit->SetFocus();
  windowtesting::Pump();
  EXPECT_EQ(Edit->Font().Color(), 16116450) << "\"fontcolor\"";
  const TPoint over = Edit->ClientToScreen(Point(10, 5));
  MoveTo(over.x, over.y);
  MoveTo(over.x + 1, over.y);
  EXPECT_TRUE(Edit->MouseOver());
  EXPECT_EQ(Edit->Font().Color(), 16777215) << "\"activefontcolor\" under the pointer";
  MoveTo(1270, 1010);
  EXPECT_EQ(Edit->Font().Color(), 16116450);
  Edit->SetFocus();
  windowtesting::Pump();
  EXPECT_EQ(Edit->Font().Color(), 16777215) << "and while focused";
  Edit->SetEnabled(false);
  EXPECT_EQ(Edit->Font().Color(), 7102040) << "\"disabledfontcolor\"";
}

TEST_F(SkinEditTest, AlphaBlendMixesTheFrameWithTheParent) {
  Form->SetColor(static_cast<TColor>(RGB(0, 200, 0)));
  Edit->SetAlphaBlend(true);
  const TPoint corner = Edit->ClientToScreen(Point(-2, -2));  // the frame's top-left pixel
  const auto screenPixel = [&] {
    RedrawWindow(Edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    windowtesting::PumpFor(50);
    const HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, corner.x, corner.y);
    ReleaseDC(nullptr, dc);
    return c;
  };
  Edit->SetAlphaBlendValue(0);
  EXPECT_EQ(screenPixel(), RGB(0, 200, 0)) << "the parent alone";
  Edit->SetAlphaBlendValue(255);
  EXPECT_EQ(screenPixel(), Rgb(clBtnShadow)) << "the control alone";
}
