#pragma once
#include <QObject>
#include <functional>

#include "display/theme_files.h"
#include "display/view_settings.h"

// The copy of the view settings that the settings dialog's pages edit.
// Each page edits it and says so; the others, and the previews, follow.
// Nothing reaches the live settings before the dialog's OK.
namespace zeph {

struct TPreferences;

class TWorkingView : public QObject {
  Q_OBJECT

 public:
  TWorkingView(const TViewSettings& live, TThemeFolders folders, const TPreferences& preferences)
      : settings_(live), folders_(std::move(folders)), preferences_(preferences) {}

  TViewSettings& Settings() { return settings_; }
  const TThemeFolders& Folders() const { return folders_; }
  const TPreferences& Preferences() const { return preferences_; }

  // A page changed the view settings (fonts, colours, backgrounds).
  void ViewEdited() { emit Changed(true, false); }
  // A theme was loaded: every page shows the working copy again.
  void Reloaded(bool view, bool formats) { emit Changed(view, formats); }

 signals:
  void Changed(bool view, bool formats);

 private:
  TViewSettings settings_;
  TThemeFolders folders_;
  const TPreferences& preferences_;
};

}  // namespace zeph
