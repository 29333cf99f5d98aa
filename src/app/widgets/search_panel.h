#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/widgets/key_table.h"

class QLineEdit;

// The search panel: words typed here are highlighted in the logs; Enter
// and Down go to the next one, Shift+Enter and Up to the previous one, Esc
// hides the panel.
namespace zeph {

class TSearchPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit TSearchPanel(QWidget* parent = nullptr);

  QLineEdit& SearchBox() const { return *box_; }
  // Opened by the user and not closed since, whether or not the main
  // window is on screen (it may wait in the tray while the selection
  // moves, and the highlight must follow).
  bool IsShown() const { return !isHidden(); }
  // The words of the box, as the logs highlight them.
  std::vector<std::string> Words() const;

  // The box's text changed: its words for the current log.
  std::function<void(const std::vector<std::string>& words)> words_changed;
  std::function<void(bool downward)> find;
  std::function<void()> close_requested;
  // Keys of the input box's table; Tab and Shift+Tab come here too.
  std::function<bool(const TKeyCommand& command)> command;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* box_;
};

}  // namespace zeph
