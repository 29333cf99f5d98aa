#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "display/theme_files.h"
#include "display/view_settings.h"

// The settings dialog's pages for the look of the program: "表示テーマ",
// "ログ", "サーバツリー", "メンバリスト" and "入力テキスト". They edit one
// working copy of the view settings made when they are created; Apply (the
// dialog's OK) puts it into the live settings and writes view.ini, and
// dropping the pages (Cancel) leaves both as they were.
namespace zeph {

struct TPreferences;
class TWorkingView;
class TThemePage;
class TLogSettingsPage;
class TColorPairsPage;

struct TViewSettingsPagesContext {
  TViewSettings* live = nullptr;        // the program's settings
  TThemeFolders folders;
  std::filesystem::path view_file;      // the configuration folder + "view.ini"
  const TPreferences* preferences = nullptr;  // LineLeading, Indent, WholeLine for the preview
  // After Apply: the program shows the new settings (ApplyViewSettings).
  std::function<void()> applied;
};

class TViewSettingsPages {
 public:
  explicit TViewSettingsPages(TViewSettingsPagesContext context);
  ~TViewSettingsPages();

  struct TPage {
    QString title;
    QWidget* widget;  // a dialog may show it; it goes with this object
  };
  std::vector<TPage> Pages() const;

  // OK: the live settings become the working copy, view.ini is written and
  // `applied` runs. False when view.ini could not be written (the live
  // settings are changed all the same).
  bool Apply();

  TViewSettings& Working();
  TThemePage* ThemePage() const { return theme_; }
  TLogSettingsPage* LogPage() const { return log_; }

 private:
  TViewSettingsPagesContext context_;
  std::unique_ptr<TWorkingView> working_;
  QPointer<TThemePage> theme_;
  QPointer<TLogSettingsPage> log_;
  QPointer<TColorPairsPage> tree_;
  QPointer<TColorPairsPage> list_;
  QPointer<TColorPairsPage> input_;
};

std::unique_ptr<TViewSettingsPages> CreateViewSettingsPages(TViewSettingsPagesContext context);

}  // namespace zeph
