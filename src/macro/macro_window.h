#pragma once

#include <string>

#include "macro/command_names.h"

// The main window as macros reach it. Without a window (headless) every
// operation does nothing.
namespace zeph {

class TUnit;

class TMacroWindow {
 public:
  virtual ~TMacroWindow() = default;
  // The text selected in the focused log view, else in the current one,
  // CR LF as blanks; empty when nothing is selected.
  virtual std::string SelectedText() const { return {}; }
  // "show", "minimize", "maximize", "flashtitle", "blinktitle",
  // "restoretitle" or "quit" (lower case).
  virtual void WindowCommand(const std::string& word) {}
  // Runs a main-window command for the unit.
  virtual void RunCommand(TUnit& unit, TMainCommand command) {}
};

}  // namespace zeph
