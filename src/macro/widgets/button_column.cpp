#include "macro/widgets/button_column.h"

#include <QPushButton>

namespace zeph {

QVBoxLayout* ButtonColumn(QWidget* owner, std::initializer_list<TButtonAction> buttons) {
  auto* column = new QVBoxLayout;
  for (const TButtonAction& button : buttons) {
    auto* push = new QPushButton(QString::fromUtf8(button.first), owner);
    QObject::connect(push, &QPushButton::clicked, owner, button.second);
    column->addWidget(push);
  }
  column->addStretch();
  return column;
}

}  // namespace zeph
