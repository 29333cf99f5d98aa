#pragma once

#include <QWizard>
#include <functional>
#include <optional>

#include "app/first_start.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace zeph {

// "Zephlora2 のインストール": a first start chooses between a minimal set-up
// (one server entry from a nickname, a server and channels), setting up by
// hand, and taking over the version-1 settings.
class TFirstStartWizard final : public QWizard {
  Q_OBJECT
 public:
  enum TChoice { kBeginner = 0, kAdvanced = 1, kImport = 2 };
  enum TPageId { kWelcomePage = 0, kNickPage = 1, kChannelPage = 2 };

  explicit TFirstStartWizard(QWidget* parent = nullptr);

  TChoice Choice() const;
  // The beginner's choices, once the wizard is accepted.
  TWizardChoice Result() const;
  int nextId() const override;

  QLineEdit* NickBox() const { return nick_; }
  QComboBox* ServerBox() const { return server_; }
  QCheckBox* AutoConnectBox() const { return auto_connect_; }
  QPlainTextEdit* ChannelBox() const { return channels_; }
  QButtonGroup* Choices() const { return choices_; }

 private:
  QButtonGroup* choices_ = nullptr;
  QLineEdit* nick_ = nullptr;
  QComboBox* server_ = nullptr;
  QCheckBox* auto_connect_ = nullptr;
  QPlainTextEdit* channels_ = nullptr;
};

// Runs the wizard and adds its server entry, if any, to the loaded tree;
// the settings are then saved with Installed set.
void RunFirstStart(QWidget* parent, class TApplication& app);
// What RunFirstStart does once the wizard has closed.
void ApplyFirstStart(class TApplication& app, const TFirstStartWizard& wizard, bool accepted);

}  // namespace zeph
