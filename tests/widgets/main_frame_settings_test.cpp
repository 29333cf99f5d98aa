// The settings dialog's look pages: Cancel leaves view.ini as it was, OK
// writes it and every open log view takes the new look.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QTreeWidget>
#include <fstream>
#include <sstream>

#include "display/widgets/log_view.h"
#include "widgets/main_frame_fixture.h"

namespace zeph {
namespace {

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class MainFrameSettingsTest : public MainFrameTest {
 protected:
  // Opens "設定" and closes it with OK or Cancel; returns the page titles.
  QStringList RunSettings(bool ok) {
    QStringList titles;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      for (QTreeWidgetItem* item : dialog->findChild<QTreeWidget*>()->findItems("*", Qt::MatchWildcard | Qt::MatchRecursive))
        titles.push_back(item->text(0));
      ok ? static_cast<QDialog*>(dialog)->accept() : static_cast<QDialog*>(dialog)->reject();
    });
    Item("setup")->trigger();
    return titles;
  }
};

TEST_F(MainFrameSettingsTest, CancelLeavesViewIniAndOkWritesItAndRestylesTheLogs) {
  Open();
  std::filesystem::path view_ini = app_->ViewFile();
  std::ofstream(view_ini, std::ios::binary) << "[Format]\r\nEnableTime=1\r\n";
  std::string before = Contents(view_ini);
  auto* log = qobject_cast<TLogView*>(frame_->CurrentLogView());
  ASSERT_NE(log, nullptr);
  const TScreenLook* look = &log->Look();

  QStringList titles = RunSettings(false);
  for (const char* page : {"表示", "ログ", "サーバツリー", "メンバリスト", "入力テキスト", "メッセージの書式"})
    EXPECT_TRUE(titles.contains(QString::fromUtf8(page))) << page;
  EXPECT_EQ(Contents(view_ini), before);
  EXPECT_EQ(&log->Look(), look);

  RunSettings(true);
  std::string after = Contents(view_ini);
  EXPECT_NE(after, before);
  EXPECT_NE(after.find("[Format]"), std::string::npos);
  EXPECT_NE(&log->Look(), look);  // the applied look reached the open view
}

}  // namespace
}  // namespace zeph
