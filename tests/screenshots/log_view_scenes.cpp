// Scenes of the log view: Japanese text in colours, a keyword hit, a URL, a
// selected range and a search highlight; the default look and a theme with
// a background picture.
#include <gtest/gtest.h>

#include <fstream>

#include "display/keyword_matcher.h"
#include "display/line_builder.h"
#include "display/line_store.h"
#include "display/url_detector.h"
#include "display/widgets/log_view.h"
#include "platform/sjis.h"
#include "screenshots/scene.h"
#include "support/temp_dir.h"

namespace zeph::test {
namespace {

struct TSceneLine {
  const char* time;
  const char* nick_piece;
  const char* body;  // UTF-8, with IRC control codes
  int category;
  int nick_class;
  const char* nick;
};

constexpr int kJoin = 3, kNotice = 1, kAction = 2, kTopic = 10, kMode = 9, kSystem = 16;

// Colour codes: \x03 + number; \x02 bold, \x1F underline, \x16 reverse.
const TSceneLine kChat[] = {
    {"09:58 ", "", "+ hanako (hanako@example.jp) が #雑談 に参加しました", kJoin, 0, "hanako"},
    {"09:58 ", "", "トピック: 週末のオフ会について / 次回は渋谷で", kTopic, 0, ""},
    {"10:00 ", "<taro> ", "おはようございます！ 今日は\x03" "4赤\x03と\x03" "12青\x03と\x03" "3緑\x03の文字です", 0, 1, "taro"},
    {"10:01 ", "<hanako> ", "資料はこちらです http://example.jp/docs/meeting.html 確認お願いします", 0, 2, "hanako"},
    {"10:02 ", "<jiro> ", "お昼はラーメンにしませんか？", 0, 0, "jiro"},
    {"10:02 ", "", "* taro は\x02ラーメン\x02の店を探している", kAction, 1, "taro"},
    {"10:03 ", "<hanako> ", "長い行は窓の幅で折り返されます。全角と半角 (ASCII) が混ざっていても、"
                           "二バイト文字の途中で切れることはありません。続きの行は字下げされます。", 0, 2, "hanako"},
    {"10:04 ", "-server- ", "\x1F" "お知らせ\x1F: 23時からメンテナンスです \x16 重要 \x16", kNotice, 0, ""},
    {"10:05 ", "", "Mode by taro: #雑談 +o hanako", kMode, 0, "taro"},
    {"10:06 ", "<jiro> ", "了解です。\x03" "13,8 背景色つき \x03 も使えます", 0, 0, "jiro"},
    {"10:07 ", "", "ログを irc.example.jp:6667 から取得しました", kSystem, 0, ""},
};

class LogViewScene : public testing::Test {
 protected:
  LogViewScene() : builder_(TUrlDetector::Shared(), &keywords_), store_(builder_) {
    TKeywordSettings settings;
    settings.like = {Sjis("ラーメン")};
    keywords_.Configure(settings);
    store_.SetMaxLines(0);
    for (const TSceneLine& line : kChat) {
      TLogLineSource source;
      source.time = line.time;
      source.nick_piece = Sjis(line.nick_piece);
      source.body = Sjis(line.body);
      source.category = line.category;
      source.nick_class = line.nick_class;
      source.nick = line.nick;
      store_.AddLine(source, true);
    }
  }

  std::unique_ptr<TLogView> MakeView(std::shared_ptr<const TScreenLook> look, bool console = false) {
    auto view = std::make_unique<TLogView>(store_, console);
    view->SetLook(std::move(look));
    view->resize(720, 400);
    view->SetIndent(24);
    return view;
  }

  TKeywordMatcher keywords_;
  TLineBuilder builder_;
  TLineStore store_;
};

// A soft diagonal gradient, written as a 24-bit bitmap file.
void WriteGradientBmp(const std::filesystem::path& path, int width, int height) {
  int row = (width * 3 + 3) & ~3;
  std::string bytes(54 + static_cast<size_t>(row) * height, '\0');
  auto put32 = [&](size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bytes.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      size_t at = 54 + static_cast<size_t>(y) * row + static_cast<size_t>(x) * 3;
      int t = (x * 255 / width + y * 255 / height) / 2;
      bytes[at + 0] = static_cast<char>(70 + t / 3);   // blue
      bytes[at + 1] = static_cast<char>(40 + t / 5);   // green
      bytes[at + 2] = static_cast<char>(40 + t / 4);   // red
    }
  }
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST_F(LogViewScene, DefaultLook) {
  auto view = MakeView(ApplyViewSettings(TViewSettings(), {}, false));
  std::string text = store_.At(2).text;
  size_t from = text.find(Sjis("今日は"));
  view->SetSelection({2, from}, {2, from + Sjis("今日は赤と青").size()});
  EXPECT_TRUE(SaveScene(*view, "log-view-default"));
}

TEST_F(LogViewScene, NightThemeWithPicture) {
  TTempDir theme;
  TThemeFolders folders{theme.Path(), theme.Path(), theme.Path() / "profile", theme.Path() / "profile" / "image"};
  WriteGradientBmp(theme.Path() / "night.bmp", 320, 180);
  TViewSettings settings;
  for (TFontSpec& font : settings.line_fonts) font.color = ColorFromRgb(0xE8E8F0);
  settings.line_fonts[kJoin].color = ColorFromRgb(0x8FE388);
  settings.line_fonts[kNotice].color = ColorFromRgb(0xB0B0C0);
  settings.line_fonts[kAction].color = ColorFromRgb(0x9FD8FF);
  settings.line_fonts[kTopic].color = settings.line_fonts[kMode].color = ColorFromRgb(0x9ADCE6);
  settings.line_fonts[kSystem].color = ColorFromRgb(0xE0D890);
  settings.time_font.color = ColorFromRgb(0xC8A890);
  settings.nick_fonts = {};
  for (TFontSpec& font : settings.nick_fonts) font.color = ColorFromRgb(0xFFC870), font.bold = true;
  settings.nick_fonts[1].color = ColorFromRgb(0xFF9090);
  settings.url_font.color = ColorFromRgb(0x80C8FF);
  settings.keyword_font.color = ColorFromRgb(0xFF6EB4);
  settings.hilight_back_color = ColorFromRgb(0x3C7A50);
  settings.shadow_kind = 1;
  settings.shadow_color = ColorFromRgb(0x101018);
  settings.channel_log_back = {ColorFromRgb(0x202030), "night.bmp", 300};
  auto view = MakeView(ApplyViewSettings(settings, folders, false));
  view->SetHighlightWords({Sjis("行")});
  view->ScrollToTop();
  EXPECT_TRUE(SaveScene(*view, "log-view-theme"));
}

}  // namespace
}  // namespace zeph::test
