#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace zeph {

// The OK and "キャンセル" buttons of a dialog, wired to accept and reject.
inline QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("キャンセル"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace zeph
