#include "display/widgets/log_preview.h"

#include "display/preview_log.h"
#include "display/url_detector.h"
#include "display/widgets/log_view.h"
#include "display/widgets/screen_look.h"
#include "display/widgets/working_view.h"
#include "settings/preferences.h"

namespace zeph {

namespace {

TKeywordSettings PreviewKeywords() {
  TKeywordSettings settings;
  settings.like = {PreviewKeyword()};
  return settings;
}

}  // namespace

TLogPreview::TLogPreview(TWorkingView& working, QWidget* parent)
    : QTabWidget(parent),
      working_(working),
      keywords_(PreviewKeywords()),
      builder_(TUrlDetector::Shared(), &keywords_),
      channel_store_(builder_),
      console_store_(builder_) {
  channel_view_ = new TLogView(channel_store_, false);
  console_view_ = new TLogView(console_store_, true);
  addTab(channel_view_, QString::fromUtf8("チャンネルログ"));
  addTab(console_view_, QString::fromUtf8("全体ログ"));
  for (TLogView* view : {channel_view_, console_view_}) {
    ApplyLogPreferences(*view, working.Preferences());
    view->SetHighlightWords({PreviewSearchWord()});
  }
  Restyle();
  Rewrite();
  connect(&working_, &TWorkingView::Changed, this, &TLogPreview::Follow);
}

TLogPreview::~TLogPreview() {
  // The views observe the stores, which go first with the members.
  delete channel_view_;
  delete console_view_;
}

void TLogPreview::Follow(bool view, bool formats) {
  if (view) Restyle();
  if (formats) Rewrite();
}

void TLogPreview::Restyle() {
  auto look = ApplyViewSettings(working_.Settings(), working_.Folders(), working_.Preferences().WholeLine);
  channel_view_->SetLook(look);
  console_view_->SetLook(look);
}

void TLogPreview::Rewrite() {
  for (bool console : {false, true}) {
    TLineStore& store = console ? console_store_ : channel_store_;
    store.Clear();
    for (const TLogLineSource& line : PreviewLogLines(working_.Settings().formats, console)) store.AddLine(line, true);
    View(console).SetHighlightWords({PreviewSearchWord()});
    View(console).ScrollToTop();
  }
}

}  // namespace zeph
