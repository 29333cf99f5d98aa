#pragma once

#include <QDialog>

#include "macro/macro_item.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// One macro item: its conditions and its action. The channel field is
// open only for commands that name a channel, the target only for actions
// that use one.
namespace zeph {

class TMacroItemDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit TMacroItemDialog(const TMacroItem& item, QWidget* parent = nullptr);
  TMacroItem Item() const;

  // For the tests and for the keyboard: the fields by role.
  QComboBox* CommandField() const { return command_; }
  QLineEdit* ChannelField() const { return channel_; }
  QComboBox* ActionField() const { return action_; }
  QComboBox* TargetField() const { return target_; }

 private:
  void UpdateEnabling();

  QCheckBox* enabled_;
  QLineEdit* user_;
  QComboBox* command_;
  QLineEdit* channel_;
  QLineEdit* message_;
  QComboBox* self_;
  QComboBox* sender_;
  QComboBox* action_;
  QComboBox* target_;
  QLineEdit* info_;
  QCheckBox* stop_;
};

}  // namespace zeph
