// Scenes of the settings dialog's look pages: the theme list with themes of
// every kind, and the log page with its live preview.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QTabWidget>

#include "display/widgets/log_settings_page.h"
#include "display/widgets/theme_page.h"
#include "display/widgets/view_settings_pages.h"
#include "platform/cp932.h"
#include "screenshots/scene.h"
#include "settings/preferences.h"
#include "support/settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph::test {
namespace {

class ViewSettingsScene : public testing::Test {
 protected:
  ViewSettingsScene() {
    folders_ = {home_.Path() / "shared", home_.Path() / "shared" / "image", home_.Path() / "theme",
                home_.Path() / "theme" / "image"};
    for (const auto* folder : {&folders_.shared_image, &folders_.profile_image})
      std::filesystem::create_directories(*folder);
    TViewSettings theme;
    theme.SaveViewSettings(folders_.shared / "Classic.theme");
    theme.SaveViewSettings(folders_.profile / (std::string("夜空") + ".theme"));
    theme.SaveViewSettings(folders_.profile / "work.theme");
    WriteBytes(folders_.profile / "old-blue.lvf", "[BkColor]\r\nLogBkColor=clNavy\r\n");
    pages_ = CreateViewSettingsPages({&live_, folders_, home_.Path() / "view.ini", &preferences_, {}});
    for (const auto& page : pages_->Pages()) tabs_.addTab(page.widget, page.title);
    tabs_.resize(820, 520);
  }
  ~ViewSettingsScene() override {
    // The pages go with their working copy, before the tabs that show them.
    pages_.reset();
  }

  TTempDir home_;
  TThemeFolders folders_;
  TViewSettings live_;
  TPreferences preferences_;
  QTabWidget tabs_;
  std::unique_ptr<TViewSettingsPages> pages_;
};

TEST_F(ViewSettingsScene, ThemePage) {
  pages_->ThemePage()->List()->setCurrentRow(3);
  EXPECT_TRUE(SaveScene(tabs_, "view-settings-theme"));
}

TEST_F(ViewSettingsScene, LogPageWithPreview) {
  tabs_.setCurrentIndex(1);
  pages_->LogPage()->SelectItem("Privmsg");
  EXPECT_TRUE(SaveScene(tabs_, "view-settings-log"));
}

}  // namespace
}  // namespace zeph::test
