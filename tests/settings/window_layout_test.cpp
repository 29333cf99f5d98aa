// window.ini: defaults of an empty file, the written order and forms, and a
// round trip that changes nothing.
#include "settings/window_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

TWindowLayout Parsed(std::string_view bytes) {
  TIniFile file(false);
  file.LoadText(bytes);
  return ReadWindowLayout(file);
}

std::string Written(const TWindowLayout& layout) {
  test::TTempDir dir;
  TIniWriter writer;
  writer.Open(dir.File("window.ini"));
  WriteWindowLayout(writer, layout);
  return writer.Text();
}

TEST(WindowLayoutTest, AnEmptyFileGivesTheDefaultMainWindow) {
  TWindowLayout layout = Parsed("");
  EXPECT_EQ(layout.main.rect, TWindowRect::At(100, 100, 500, 500));
  EXPECT_TRUE(layout.main.menu_visible);
  EXPECT_TRUE(layout.main.enable_tool_bar);
  EXPECT_FALSE(layout.main.maximized);
  EXPECT_EQ(layout.main.splitter_root, 120);
  EXPECT_EQ(layout.main.splitter_log, 100);
  EXPECT_EQ(layout.main.splitter_info, 200);
  EXPECT_EQ(layout, TWindowLayout());
}

TEST(WindowLayoutTest, SizesAreHeldAsRectanglesAndWrittenBackAsSizes) {
  TWindowLayout layout = Parsed("[Main]\r\nLeft=-20\r\nTop=30\r\nWidth=640\r\nHeight=480\r\nMaximized=true\r\n"
                                "[Paste]\r\nWidth=333\r\n[DCC]\r\nReceiveHeader.8=77\r\nSendHeader.0=5\r\n");
  EXPECT_EQ(layout.main.rect, (TWindowRect{-20, 30, 620, 510}));
  EXPECT_TRUE(layout.main.maximized);
  EXPECT_EQ(layout.paste.Width(), 333);
  EXPECT_EQ(layout.dcc.header[8], 77);
  EXPECT_EQ(layout.dcc_send_header[0], 5);
  std::string text = Written(layout);
  EXPECT_NE(text.find("[Main]\r\n\r\nLeft=-20\r\nTop=30\r\nWidth=640\r\nHeight=480\r\nMinimized=false\r\n"
                      "Maximized=true\r\nSplitter.Root=120\r\nSplitter.Log=100\r\nSplitter.Info=200\r\n"
                      "MenuVisible=true\r\nTopMost=false\r\nEnableToolBar=true\r\n"),
            std::string::npos)
      << text;
  // Reading what was written gives the same layout: nothing drifts.
  EXPECT_EQ(Parsed(text), layout);
}

TEST(WindowLayoutTest, SectionsInTheirOrderAndColoursAsSixHexDigits) {
  TWindowLayout layout;
  layout.custom_colors[0] = 0x0000ff;
  layout.custom_colors[15] = 0xabc;
  std::string text = Written(layout);
  size_t last = 0;
  for (const char* section : {"[Main]", "[ProtocolLog]", "[DCC]", "[Who]", "[List]", "[MacroSelect]", "[MacroEditor]",
                              "[PopupEditor]", "[Server]", "[PreferenceSound]", "[PreferenceFormat]", "[Paste]",
                              "[KeywordHistory]", "[URLHistory]", "[Find]", "[CustomColor]"}) {
    size_t at = text.find(section);
    ASSERT_NE(at, std::string::npos) << section;
    EXPECT_TRUE(at == 0 || at > last) << section;
    last = at;
  }
  EXPECT_NE(text.find("Color.00=0000ff\r\nColor.01=ffffff\r\n"), std::string::npos);
  EXPECT_NE(text.find("Color.15=000abc\r\n"), std::string::npos);
  EXPECT_NE(text.find("[MacroSelect]\r\n\r\nWidth=480\r\nHeight=300\r\nFileHeader=100\r\n"), std::string::npos);
  EXPECT_NE(text.find("ReceiveHeader.8=100\r\nSendHeader.0=100\r\n"), std::string::npos);
  EXPECT_EQ(Parsed(text), layout);
}

TEST(WindowLayoutTest, AMissingFileGivesTheDefaultsAndASavedOneReadsBack) {
  test::TTempDir dir;
  EXPECT_EQ(LoadWindowLayout(dir.File("none.ini")), TWindowLayout());
  TWindowLayout layout;
  layout.main.splitter_info = 321;
  layout.find_ring = false;
  ASSERT_TRUE(SaveWindowLayout(dir.File("window.ini"), layout));
  EXPECT_EQ(LoadWindowLayout(dir.File("window.ini")), layout);
}

}  // namespace
}  // namespace zeph
