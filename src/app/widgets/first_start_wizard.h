#pragma once

#include <QWizard>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/first_start.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QLineEdit;
class QPlainTextEdit;

namespace zeph {

class TApplication;

// "Zephlora2 のインストール": a first start chooses between a minimal set-up
// (one server entry from a nickname, a server and channels), setting up by
// hand, and taking over the version-1 settings, whose import runs as the
// first page is left and whose report is the last page.
class TFirstStartWizard final : public QWizard {
  Q_OBJECT
 public:
  enum TChoice { kBeginner = 0, kAdvanced = 1, kImport = 2 };
  enum TPageId { kWelcomePage = 0, kNickPage = 1, kChannelPage = 2, kImportPage = 3 };

  explicit TFirstStartWizard(TApplication& app, QWidget* parent = nullptr);

  TChoice Choice() const;
  // The beginner's choices, once the wizard is accepted.
  TWizardChoice Result() const;
  int nextId() const override;

  QLineEdit* NickBox() const { return nick_; }
  QComboBox* ServerBox() const { return server_; }
  QCheckBox* AutoConnectBox() const { return auto_connect_; }
  QPlainTextEdit* ChannelBox() const { return channels_; }
  QButtonGroup* Choices() const { return choices_; }
  QPlainTextEdit* ImportReportBox() const { return import_report_; }
  // The version-1 settings were taken over; the application has loaded them.
  bool Imported() const { return imported_; }
  // The dialogs of the import are handed here before they run; tests
  // answer them.
  std::function<void(QDialog&)> before_dialog;

 private:
  enum TFoundAnswer { kTakeFound, kOtherPlace, kGoBack };

  // Imports from a folder the user agreed to; false when the user went back.
  bool RunImport();
  std::optional<std::filesystem::path> AskVersion1Folder();
  TFoundAnswer AskFound(const std::filesystem::path& folder);
  std::optional<std::filesystem::path> ChooseFolder();
  bool AskChooseAgain();
  int Exec(QDialog& dialog);

  TApplication& app_;
  bool imported_ = false;
  QWizardPage* welcome_ = nullptr;
  QPlainTextEdit* import_report_ = nullptr;
  QButtonGroup* choices_ = nullptr;
  QLineEdit* nick_ = nullptr;
  QComboBox* server_ = nullptr;
  QCheckBox* auto_connect_ = nullptr;
  QPlainTextEdit* channels_ = nullptr;
};

// Runs the wizard and adds its server entry, if any, to the loaded tree
// (an import has replaced the loaded settings already); the settings are
// then saved with Installed set.
void RunFirstStart(QWidget* parent, class TApplication& app);
// What RunFirstStart does once the wizard has closed.
void ApplyFirstStart(class TApplication& app, const TFirstStartWizard& wizard, bool accepted);

}  // namespace zeph
