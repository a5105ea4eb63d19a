#include "tests/support/testing.h"

#include "platform/classlib/GraphicsObjects.h"

using namespace classlib;

namespace {

TEST(Font, SizeAndHeightConvertThroughTheScreensPixelsPerInch) {
  ASSERT_EQ(TFont::PixelsPerInch(), 96);
  TFont font;
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);
  struct Case {
    int size;
    int height;
  };
  for (const Case& c : {Case{8, -11}, Case{9, -12}, Case{10, -13}, Case{12, -16}, Case{72, -96}}) {
    font.SetSize(c.size);
    EXPECT_EQ(font.Height(), c.height) << "size " << c.size;
    EXPECT_EQ(font.Size(), c.size) << "size " << c.size;
  }
}

TEST(Font, TheHandleFollowsEveryAttribute) {
  TFont font;
  font.SetName("Courier New");
  font.SetHeight(-20);
  font.SetStyle({TFontStyle::fsBold, TFontStyle::fsItalic, TFontStyle::fsUnderline, TFontStyle::fsStrikeOut});
  font.SetCharset(ANSI_CHARSET);
  font.SetPitch(TFontPitch::fpFixed);
  LOGFONTW lf{};
  ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), int(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfItalic && lf.lfUnderline && lf.lfStrikeOut);
  EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
  EXPECT_EQ(lf.lfPitchAndFamily & 3, FIXED_PITCH);
  EXPECT_EQ(lstrcmpW(lf.lfFaceName, L"Courier New"), 0);

  font.SetStyle({});
  ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), int(sizeof lf));
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_FALSE(lf.lfItalic);
}

TEST(GraphicsObjects, ChangesAreAnnouncedOnlyWhenAValueChanges) {
  TPen pen;
  int changes = 0;
  pen.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &pen);
    ++changes;
  };
  pen.SetColor(clBlack);  // the default: no change
  pen.SetWidth(3);
  pen.SetWidth(3);
  pen.SetColor(clRed);
  pen.SetStyle(TPenStyle::psDash);
  pen.SetMode(TPenMode::pmXor);
  EXPECT_EQ(changes, 4);
  LOGPEN lp{};
  ASSERT_EQ(GetObjectW(pen.Handle(), sizeof lp, &lp), int(sizeof lp));
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnColor, RGB(255, 0, 0));
  EXPECT_EQ(lp.lopnStyle, UINT(PS_DASH));
  EXPECT_EQ(pen.Rop2(), R2_XORPEN);

  TBrush brush;
  brush.SetColor(clBlue);
  brush.SetStyle(TBrushStyle::bsDiagCross);
  LOGBRUSH lb{};
  ASSERT_EQ(GetObjectW(brush.Handle(), sizeof lb, &lb), int(sizeof lb));
  EXPECT_EQ(lb.lbStyle, UINT(BS_HATCHED));
  EXPECT_EQ(lb.lbHatch, ULONG_PTR(HS_DIAGCROSS));
  EXPECT_EQ(lb.lbColor, RGB(0, 0, 255));
  brush.SetStyle(TBrushStyle::bsClear);
  ASSERT_EQ(GetObjectW(brush.Handle(), sizeof lb, &lb), int(sizeof lb));
  EXPECT_EQ(lb.lbStyle, UINT(BS_NULL));
}

TEST(GraphicsObjects, AssignCopiesAttributesAndRefusesOtherKinds) {
  TFont source;
  source.SetName("Liberation Serif");
  source.SetSize(14);
  source.SetColor(clNavy);
  source.SetStyle({TFontStyle::fsBold});
  TFont font;
  int changes = 0;
  font.OnChange = [&](TObject*) { ++changes; };
  font.Assign(source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(font.Name(), "Liberation Serif");
  EXPECT_EQ(font.Height(), source.Height());
  EXPECT_EQ(font.Color(), clNavy);
  EXPECT_EQ(font.Style(), TFontStyles{TFontStyle::fsBold});

  TPen pen;
  pen.SetColor(clLime);
  pen.SetMode(TPenMode::pmNot);
  TPen copy;
  copy.Assign(pen);
  EXPECT_EQ(copy.Color(), clLime);
  EXPECT_EQ(copy.Mode(), TPenMode::pmNot);

  TBrush brush;
  EXPECT_THROW(brush.Assign(pen), EComponentError);
}

}  // namespace
