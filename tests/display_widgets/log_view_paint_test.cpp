#include <QImage>
#include <QPixmap>

#include "display/palette.h"
#include "display/widgets/log_view.h"
#include "display_widgets/log_view_fixture.h"

namespace zeph::test {
namespace {

int CountColor(const QImage& image, QRect area, QColor color) {
  int count = 0;
  area = area.intersected(image.rect());
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) count += image.pixelColor(x, y).rgb() == color.rgb();
  return count;
}

class LogViewPaintTest : public LogViewTest {
 protected:
  QImage Render() { return view_->viewport()->grab().toImage(); }

  // The rectangle of the first row of a line (the view shows from line 0).
  QRect RowRect(size_t line) {
    int y = TLogView::kContentTop;
    for (size_t l = 0; l < line; ++l) y += view_->LayoutOf(l).height;
    return QRect(0, y, view_->viewport()->width(), view_->LayoutOf(line).RowHeight(0));
  }

  void UseSettings(const TViewSettings& settings) { view_->SetLook(ApplyViewSettings(settings, {}, false)); }
};

TEST_F(LogViewPaintTest, SelectionHighlightReverseAndBackColoursArePainted) {
  Add("selected line");
  Add("hit and hit again");
  Add("plain \x16reversed\x16 text");
  Add("\x03" "1,4coloured back");
  const TLogStyle& style = view_->Look().Style();
  view_->SetHighlightWords({"hit"});  // selects the first hit, lights the second
  QImage image = Render();
  EXPECT_GT(CountColor(image, RowRect(1), ScreenColor(style.select_back_color)), 20);
  EXPECT_GT(CountColor(image, RowRect(1), ScreenColor(style.hilight_back_color)), 20);
  EXPECT_EQ(CountColor(image, RowRect(0), ScreenColor(style.hilight_back_color)), 0);
  // White paper turned black under reversed text.
  EXPECT_GT(CountColor(image, RowRect(2), Qt::black), 20);
  EXPECT_EQ(CountColor(image, RowRect(0), Qt::black), 0);
  EXPECT_GT(CountColor(image, RowRect(3), ScreenColor(PaletteColor(4))), 20);

  view_->SetSelection({0, 0}, {0, 8});
  image = Render();
  EXPECT_GT(CountColor(image, RowRect(0), ScreenColor(style.select_back_color)), 20);
  EXPECT_GT(CountColor(image, RowRect(0), ScreenColor(style.select_text_color)), 0);
}

TEST_F(LogViewPaintTest, ShadowKindsDrawInTheShadowColour) {
  Add("shadowed text");
  for (int kind : {0, 1, 2, 3}) {
    TViewSettings settings;
    settings.shadow_kind = kind;
    settings.shadow_color = ColorFromRgb(0x00FF00);
    UseSettings(settings);
    int green = CountColor(Render(), RowRect(0), QColor(0, 255, 0));
    if (kind == 0)
      EXPECT_EQ(green, 0);
    else
      EXPECT_GT(green, 10) << kind;
  }
  TViewSettings bad;
  bad.shadow_kind = 9;  // drawn as none
  bad.shadow_color = ColorFromRgb(0x00FF00);
  UseSettings(bad);
  EXPECT_EQ(CountColor(Render(), RowRect(0), QColor(0, 255, 0)), 0);
}

TEST_F(LogViewPaintTest, BackgroundPicturesArePlacedByStyle) {
  auto picture = std::make_shared<TRgbPicture>();
  picture->width = 10;
  picture->height = 8;
  picture->rgb.assign(10 * 8 * 3, 0);
  for (size_t i = 0; i < picture->rgb.size(); i += 3) picture->rgb[i] = 255;  // red
  const QColor red(255, 0, 0), green(0, 255, 0);
  view_->resize(kWidth, kHeight);
  const int w = view_->viewport()->width(), h = view_->viewport()->height();
  struct Case {
    int style;
    QPoint point;
    QColor expected;
  } cases[] = {
      {0, {1, 1}, green},          {150, {1, 1}, green},        {100, {w - 2, h - 2}, red},
      {101, {w - 2, 1}, red},      {101, {1, 20}, green},       {102, {1, h - 2}, red},
      {102, {30, 1}, green},       {200, {w / 2, h / 2}, red},  {200, {1, 1}, green},
      {205, {1, 1}, red},          {208, {w - 2, h - 2}, red},  {208, {1, 1}, green},
      {300, {w / 2, h - 2}, red},
      // The view is relatively wider than the picture: full height, centred.
      {305, {w / 2, 1}, red},      {305, {1, h / 2}, green},
  };
  for (const Case& c : cases) {
    TViewLook look = BuildViewLook(TViewSettings(), {}, false);
    look.channel_log_back = {ColorFromRgb(0x00FF00), c.style, picture};
    view_->SetLook(std::make_shared<const TScreenLook>(std::move(look), 96));
    QImage image = Render();
    EXPECT_EQ(image.pixelColor(c.point).rgb(), c.expected.rgb()) << c.style << " at " << c.point.x() << "," << c.point.y();
    EXPECT_EQ(Render(), image) << "a second paint draws the same";
  }
}

}  // namespace
}  // namespace zeph::test
