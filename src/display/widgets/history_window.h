#pragma once

#include <QDialog>
#include <functional>

#include "display/link_key.h"
#include "display/widgets/log_view.h"

// The keyword history ("キーワード履歴") and the URL history ("URL履歴"):
// a log view over the history's lines; a double click on a line leads to
// where it was printed.
namespace zeph {

class TLineHistory;

class THistoryWindow final : public QDialog, private TLogLinkListener {
  Q_OBJECT

 public:
  THistoryWindow(TLineHistory& history, const QString& title, QWidget* parent = nullptr);
  ~THistoryWindow() override;

  TLogView& View() const { return *view_; }
  // The line's origin, for the main window to select it and find the line.
  std::function<void(const TLinkKey& key)> open_line;
  // "検索(&F)...": the find dialog of the logs; by default a text is asked
  // for and found downward, wrapping around.
  std::function<void(TLogView& view)> find;

  void Raise();

 private:
  void OpenLink(TLogView& view, const TLinkKey& key) override;

  TLogView* view_;
};

}  // namespace zeph
