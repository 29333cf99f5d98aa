#include "display/widgets/screen_fonts.h"

#include <gtest/gtest.h>

#include "display/line_builder.h"
#include "display/url_detector.h"
#include "display/view_realise.h"
#include "display/widgets/line_layout.h"
#include "display/widgets/screen_look.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

TEST(ScreenFontsTest, SizesGoThroughTheDpiAndTheJapaneseFaceComesNext) {
  struct Case {
    int size;
    int dpi;
    int pixels;
  } cases[] = {{100, 96, 13}, {105, 96, 14}, {90, 120, 15}, {100, 144, 20}};
  TFontSpec spec;
  spec.family = Sjis("ＭＳ Ｐゴシック");
  for (const Case& c : cases) {
    spec.size = c.size;
    EXPECT_EQ(ScreenFont(spec, c.dpi).pixelSize(), c.pixels) << c.size << "@" << c.dpi;
  }
  QFont font = ScreenFont(spec, 96);
  ASSERT_EQ(font.families().size(), 2);
  EXPECT_EQ(font.families()[0], QString::fromUtf8("ＭＳ Ｐゴシック"));
  EXPECT_EQ(font.families()[1], QStringLiteral("Noto Sans CJK JP"));
  spec.family.clear();
  spec.bold = spec.italic = spec.underline = true;
  font = ScreenFont(spec, 96);
  EXPECT_EQ(font.families(), QStringList{QStringLiteral("Noto Sans CJK JP")});
  EXPECT_EQ(font.weight(), QFont::Bold);
  EXPECT_TRUE(font.italic() && font.underline());
  EXPECT_FALSE(font.kerning()) << "a text is as wide as its characters' advances";
}

TEST(ScreenFontsTest, OutOfRangeSettingsAreHeldWhenRealised) {
  TViewSettings settings;
  settings.line_fonts[0].size = -5;
  settings.line_fonts[1].size = 999999;
  settings.line_fonts[2].color = 0xFF00FF00;  // a high byte means nothing on screen
  auto look = ApplyViewSettings(settings, {}, false, 96);
  EXPECT_EQ(look->Fonts().At(TLogStyle::kLineSlot + 0).Font().pixelSize(), 13);
  EXPECT_EQ(look->Fonts().At(TLogStyle::kLineSlot + 1).Font().pixelSize(), FontPixelHeight(2000, 96));
  EXPECT_EQ(look->Style().Font(TLogStyle::kLineSlot + 2).color, 0x0000FF00u);
  EXPECT_EQ(settings.line_fonts[0].size, -5) << "the settings themselves keep what was read";
}

TEST(ScreenFontsTest, ItalicPiecesMakeRoomForTheirOverhang) {
  TViewSettings settings;
  settings.line_fonts[0].italic = true;
  auto look = ApplyViewSettings(settings, {}, false, 96);
  TLineBuilder builder(TUrlDetector::Shared(), nullptr);
  TLogLineSource source;
  source.body = Sjis("斜体のテキスト");
  TLogLine line = builder.Build(source, false);
  TLineLayout layout;
  LayoutLine(line, look->Style(), look->Fonts(), 1000, 7, 0, layout);
  ASSERT_EQ(layout.pieces.size(), 1u);
  float measured = 0;
  for (float advance : layout.advance) measured += advance;
  const TLayoutPiece& piece = layout.pieces[0];
  EXPECT_NEAR(piece.width - measured, 0.414214 * look->Fonts().At(piece.slot).Height(), 0.01);
}

}  // namespace
}  // namespace zeph
