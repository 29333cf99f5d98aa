#pragma once

#include <QDialog>
#include <vector>

#include "app/main_commands.h"
#include "engine/channel_mode.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace zeph {

// "モードの変更": one box per mode letter of a channel, the key and the
// user limit, shown as the channel's mode was last seen.
class TModeDialog final : public QDialog {
  Q_OBJECT

 public:
  TModeDialog(const QString& channel, const TChannelMode& mode, QWidget* parent = nullptr);

  // The mode as it was shown, and as the boxes say it now.
  const TChannelMode& Shown() const { return shown_; }
  TChannelMode Edited() const;

 private:
  struct TFlagBox {
    bool TChannelMode::*flag;
    QCheckBox* box;
  };

  TChannelMode shown_;
  std::vector<TFlagBox> flags_;
  QCheckBox* use_key_;
  QLineEdit* key_;
  QCheckBox* use_limit_;
  QSpinBox* limit_;
};

// Opens the dialog on the selected channel; OK sends what changed.
void RunModeDialog(QWidget* parent, TWorld& world, TSelectionIds ids);

}  // namespace zeph
