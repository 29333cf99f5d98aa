#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

namespace zeph {

// The program's other top-level windows (information windows, editors,
// the DCC window) leave the screen while the main window is minimised and
// come back with it. Modal dialogs stay: hiding one would end it as if the
// user had cancelled it.
class TWindowHider {
 public:
  explicit TWindowHider(QWidget& main) : main_(main) {}

  void HideOthers();
  // Only the windows this hid come back; one deleted meanwhile stays gone.
  void ShowAgain();

 private:
  QWidget& main_;
  std::vector<QPointer<QWidget>> hidden_;
};

}  // namespace zeph
