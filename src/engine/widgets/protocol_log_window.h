#pragma once

#include <QPlainTextEdit>
#include <functional>
#include <map>
#include <string>

#include "display/link_key.h"
#include "display/widgets/window_geometry.h"
#include "engine/world_hooks.h"

// The protocol log windows: each unit's raw traffic, sent and received,
// shown while its window is open (the engine decodes lines only then).
namespace zeph {

class TProtocolLogWindow final : public QPlainTextEdit {
  Q_OBJECT

 public:
  // Lines kept in a window; older ones scroll away.
  static constexpr int kMaxLines = 5000;

  explicit TProtocolLogWindow(const std::string& unit_name, QWidget* parent = nullptr);
  void AddLine(bool sent, const std::string& line);

  // The window closes: its place goes back to the settings.
  std::function<void(const TWindowEntry& geometry)> closing;

 protected:
  void closeEvent(QCloseEvent* event) override;
};

class TProtocolLogWindows final : public TProtocolLog {
 public:
  explicit TProtocolLogWindows(QWidget* parent = nullptr) : parent_(parent) {}
  ~TProtocolLogWindows() override;

  // The place of the settings (`ProtocolLog`): read when a window opens,
  // written when it closes.
  std::function<TWindowEntry()> load_geometry;
  std::function<void(const TWindowEntry&)> store_geometry;

  // The unit command "protocol": opens the unit's window or raises it.
  TProtocolLogWindow& Open(TUnit& unit);
  TProtocolLogWindow* Find(const TUnit& unit) const;
  // The unit goes away: its window closes.
  void UnitRemoved(const TUnit& unit);

  bool IsProtocolLogOpen(const TUnit& unit) const override { return Find(unit) != nullptr; }
  void AddProtocolLine(TUnit& unit, bool sent, const std::string& line) override;

 private:
  QWidget* parent_;
  std::map<TNodeId, TProtocolLogWindow*> windows_;
};

}  // namespace zeph
