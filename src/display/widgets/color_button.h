#pragma once
#include <QPushButton>
#include <cstdint>
#include <functional>

// A button that shows a colour and opens the colour chooser.
namespace zeph {

class TColorButton : public QPushButton {
  Q_OBJECT

 public:
  // `target` says which colour value the button edits now (it may change
  // with the item selected); `edited` runs after the user chose one.
  TColorButton(std::function<std::uint32_t*()> target, std::function<void()> edited, QWidget* parent = nullptr);

  // Shows the target's colour again.
  void Refresh();
  // Sets the target as the chooser does.
  void Choose(std::uint32_t color);

 private:
  void OpenChooser();

  std::function<std::uint32_t*()> target_;
  std::function<void()> edited_;
};

}  // namespace zeph
