#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

#include "protocol/whois_model.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// The user information dialog (nick + " のユーザ情報"): a view of one WHOIS
// model. Its buttons look the unit up by id when pressed, so a dialog that
// outlived its unit does nothing.
namespace zeph {

class TReplyWindows;
class TWorld;

class TWhoisDialog final : public QDialog, private TWhoisObserver {
  Q_OBJECT

 public:
  TWhoisDialog(TWorld& world, TReplyWindows& windows, TWhoisModel& model, QWidget* parent = nullptr);
  ~TWhoisDialog() override;

  // Files dropped on the dialog are offered to its nick by DCC; without
  // this the dialog takes no drops.
  std::function<void(TUnit& unit, const std::string& nick, const QStringList& paths)> send_files;

  const TWhoisModel* Model() const { return model_; }
  QLineEdit& Field(int index) const { return *fields_[index]; }
  QComboBox& ChannelBox() const { return *channels_; }
  QPushButton& JoinButton() const { return *join_; }

  // The rows of the dialog, in order.
  enum : int { Nick, User, Host, Address, Realname, Server, Away, Idle, SignOn, FieldCount };

  void Refresh();
  void JoinSelected();
  void Talk();
  // Each file to the nick, in order, while the unit is logged in.
  void SendDroppedFiles(const QStringList& paths);

 private:
  void OnWhoisChanged(const TWhoisModel& model) override;
  void OnWhoisRaise(const TWhoisModel& model) override;
  void OnWhoisClosed(const TWhoisModel& model) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  TUnit* FindUnit() const;
  void ShowModel();
  void ResolveHost(const std::string& host);

  TWorld& world_;
  TReplyWindows& windows_;
  TWhoisModel* model_;
  QLineEdit* fields_[FieldCount];
  QComboBox* channels_;
  QPushButton* join_;
  std::string resolved_host_;
  int lookup_id_ = -1;
};

}  // namespace zeph
