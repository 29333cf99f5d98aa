#pragma once
#include <QTabWidget>
#include <memory>

#include "display/keyword_matcher.h"
#include "display/line_builder.h"
#include "display/line_store.h"

// The preview of the settings dialog's log page: two tabs, "チャンネルログ"
// and "全体ログ", each a real log view of the sample log drawn with the
// working copy.
namespace zeph {

class TLogView;
class TWorkingView;

class TLogPreview : public QTabWidget {
  Q_OBJECT

 public:
  explicit TLogPreview(TWorkingView& working, QWidget* parent = nullptr);
  ~TLogPreview() override;

  TLogView& View(bool console) const { return console ? *console_view_ : *channel_view_; }

 private:
  // The look again from the working copy (fonts, colours, backgrounds).
  void Restyle();
  // The sample lines again, written with the working formats.
  void Rewrite();
  void Follow(bool view, bool formats);

  TWorkingView& working_;
  TKeywordMatcher keywords_;
  TLineBuilder builder_;
  TLineStore channel_store_;
  TLineStore console_store_;
  TLogView* channel_view_ = nullptr;
  TLogView* console_view_ = nullptr;
};

}  // namespace zeph
