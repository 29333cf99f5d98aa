#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "app/paste_send.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

// "貼り付け確認": a paste of several lines is shown, can be edited, cleaned
// of blank lines and quoted, and is sent only when the user says so.
namespace zeph {

class TWorld;
struct TPreferences;

class TPasteConfirmDialog final : public QDialog {
  Q_OBJECT

 public:
  TPasteConfirmDialog(TWorld& world, TPreferences& preferences, TPasteTarget target, const std::string& text,
                      QWidget* parent = nullptr);

  // The quote mark or the notice box changed: preference.ini is written.
  std::function<void()> preferences_changed;

  QPlainTextEdit& TextBox() const { return *text_; }
  QLineEdit& MarkBox() const { return *mark_; }
  QCheckBox& NoticeBox() const { return *notice_; }

  void RemoveBlankLines();
  void AddQuoteMark();
  void Send();

 private:
  void KeepChoices();
  void ShowText(const std::string& text);
  std::string Text() const;

  TWorld& world_;
  TPreferences& preferences_;
  TPasteTarget target_;
  QPlainTextEdit* text_;
  QLineEdit* mark_;
  QCheckBox* notice_;
};

}  // namespace zeph
