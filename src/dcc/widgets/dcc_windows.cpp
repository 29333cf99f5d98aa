#include "dcc/widgets/dcc_windows.h"

#include <QApplication>

#include "engine/world.h"

namespace zeph {

TDccWindows::TDccWindows(TDccService& dcc) : dcc_(dcc), prompter_(dcc) {
  dcc_.SetChatPrompt(&prompter_);
  dcc_.Manager().AddObserver(this);
}

TDccWindows::~TDccWindows() {
  dcc_.Manager().RemoveObserver(this);
  dcc_.SetChatPrompt(nullptr);
  delete window_.data();
}

TDccWindow& TDccWindows::Made() {
  if (!window_) {
    window_ = new TDccWindow(dcc_.Manager(), dcc_.World().Preferences());
    window_->ApplyLayout(layout_);
  }
  return *window_;
}

void TDccWindows::Show() {
  TDccWindow& window = Made();
  window.showNormal();
  window.raise();
  window.activateWindow();
}

void TDccWindows::SendFiles(TUnit& unit, const std::string& nick, const QStringList& paths) {
  for (const QString& path : paths) dcc_.OfferFile(unit, nick, std::filesystem::path(path.toStdString()));
}

void TDccWindows::SetLayout(const TDccWindowLayout& layout) {
  layout_ = layout;
  if (window_) window_->ApplyLayout(layout);
}

TDccWindowLayout TDccWindows::Layout() const { return window_ ? window_->Layout() : layout_; }

void TDccWindows::WindowRequested(const TFileOfferReaction& request) {
  if (request.show_window) {
    TDccWindow& window = Made();
    if (request.show_minimised && !window.isVisible()) {
      window.showMinimized();
    } else if (!window.isVisible() || window.isMinimized()) {
      window.showNormal();
    }
  }
  if (!window_ || !window_->isVisible()) return;
  if (request.activate_window) {
    window_->raise();
    window_->activateWindow();
  } else if (request.blink_window && !window_->isActiveWindow()) {
    QApplication::alert(window_);
  }
}

void TDccWindows::CloseRequested() {
  if (window_) {
    layout_ = window_->Layout();
    window_->close();
  }
}

}  // namespace zeph
