#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <memory>

#include "display/link_key.h"
#include "display/widgets/window_geometry.h"

class QPushButton;
class QTreeView;

// The member information window ("チャンネルメンバの詳細情報"): every
// member of one channel with login name, address, real name and server.
// It follows the channel's member list while it is open.
namespace zeph {

class TChannel;
class TLogFileQuestions;
class TMember;
class TMemberDetailModel;
class TScreenLook;
class TWorld;

class TMemberInfoWindow final : public QDialog {
  Q_OBJECT

 public:
  TMemberInfoWindow(TWorld& world, TChannel& channel, QWidget* parent = nullptr);
  ~TMemberInfoWindow() override;

  // The save command asks what saving a log asks; tests answer directly.
  TLogFileQuestions* questions;
  // The member context menu of the main window, for a right click.
  std::function<void(const TMember& member, const QPoint& global)> member_menu;
  // The window closes: its place and column widths go back to the settings.
  std::function<void(const TWindowEntry& geometry)> store_geometry;

  TNodeId Unit() const { return unit_; }
  TNodeId Channel() const { return channel_; }
  TMemberDetailModel& Model() const { return *model_; }
  QTreeView& View() const { return *view_; }

  void ApplyGeometry(const TWindowEntry& geometry);
  TWindowEntry Geometry() const;
  // The member list's font and colours of the view settings.
  void SetLook(const TScreenLook& look);
  // Restored when minimised, shown, brought to the front and focused.
  void Raise();
  // The channel goes away; the window closes.
  void ChannelClosed();

  void Refresh();
  void SaveToFile();
  void WhoisAt(int row);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The channel, looked up anew: null once it is gone.
  TChannel* FindChannel() const;
  void ShowMemberMenu(const QPoint& position);

  TWorld& world_;
  TNodeId unit_;
  TNodeId channel_;
  TMemberDetailModel* model_;
  QTreeView* view_;
};

// At most one window per channel; the channel's "member" command opens or
// raises it.
class TMemberInfoWindows {
 public:
  explicit TMemberInfoWindows(TWorld& world) : world_(world) {}
  ~TMemberInfoWindows();

  // Called for each new window, before it is shown: the place of the
  // settings, the main window's topmost flag, the callbacks.
  std::function<void(TMemberInfoWindow& window)> prepare;
  // The view settings as applied: every open window takes them, and every
  // new one.
  void SetLook(std::shared_ptr<const TScreenLook> look);

  TMemberInfoWindow& Open(TChannel& channel, QWidget* parent = nullptr);
  TMemberInfoWindow* Find(TNodeId channel) const;
  // The main window's tree notices call this before a target is destroyed.
  void TargetRemoved(const TChannel& channel);

 private:
  TWorld& world_;
  std::shared_ptr<const TScreenLook> look_;
  std::map<TNodeId, TMemberInfoWindow*> windows_;
};

}  // namespace zeph
