#include "engine/widgets/protocol_log_window.h"

#include <QCloseEvent>

#include "engine/unit.h"
#include "platform/qt/qt_text.h"
#include "platform/sjis.h"

namespace zeph {

TProtocolLogWindow::TProtocolLogWindow(const std::string& unit_name, QWidget* parent) : QPlainTextEdit(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlag(Qt::Window);
  setObjectName(QStringLiteral("Zephlora2ProtocolLog"));
  setWindowTitle(LiteralWindowTitle(ToQString(Sjis("プロトコルログ - ") + unit_name)));
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setMaximumBlockCount(kMaxLines);
  setGeometry(200, 200, 500, 400);
}

void TProtocolLogWindow::closeEvent(QCloseEvent* event) {
  if (closing) closing({TWindowRect::At(x(), y(), width(), height()), {}});
  QPlainTextEdit::closeEvent(event);
}

void TProtocolLogWindow::AddLine(bool sent, const std::string& line) {
  // Which way the line went, as the arrows of a conversation.
  appendPlainText((sent ? QStringLiteral("> ") : QStringLiteral("< ")) + ToQString(line));
}

TProtocolLogWindows::~TProtocolLogWindows() {
  for (auto& [id, window] : windows_) {
    QObject::disconnect(window, nullptr, nullptr, nullptr);
    delete window;
  }
}

TProtocolLogWindow& TProtocolLogWindows::Open(TUnit& unit) {
  TProtocolLogWindow* window = Find(unit);
  if (!window) {
    window = new TProtocolLogWindow(unit.Name(), parent_);
    if (load_geometry) {
      const TWindowRect place = load_geometry().rect;
      if (place.Width() > 0 && place.Height() > 0) window->setGeometry(place.left, place.top, place.Width(), place.Height());
    }
    window->closing = store_geometry;
    const TNodeId id = unit.Id();
    windows_[id] = window;
    QObject::connect(window, &QObject::destroyed, [this, id] { windows_.erase(id); });
  }
  if (window->isMinimized()) window->showNormal();
  window->show();
  window->raise();
  window->activateWindow();
  return *window;
}

TProtocolLogWindow* TProtocolLogWindows::Find(const TUnit& unit) const {
  auto found = windows_.find(unit.Id());
  return found == windows_.end() ? nullptr : found->second;
}

void TProtocolLogWindows::UnitRemoved(const TUnit& unit) {
  if (TProtocolLogWindow* window = Find(unit)) delete window;
}

void TProtocolLogWindows::AddProtocolLine(TUnit& unit, bool sent, const std::string& line) {
  if (TProtocolLogWindow* window = Find(unit)) window->AddLine(sent, line);
}

}  // namespace zeph
