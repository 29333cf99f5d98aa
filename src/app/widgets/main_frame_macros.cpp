// The main window as macros see it (the selected text, the window words,
// the main-window commands), the macro settings and popup menu editors,
// and the user's popup items in the log view and member list menus.
#include <QAction>
#include <QApplication>
#include <QMenu>

#include "app/application.h"
#include "app/widgets/main_frame.h"
#include "engine/channel.h"
#include "macro/macros.h"
#include "macro/popup_layout.h"
#include "macro/widgets/macro_settings_window.h"
#include "macro/widgets/popup_menu_editor.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

// window.ini keeps a placement and columns; the editors take a size and
// columns.
TEditorLayout EditorLayoutOf(const TWindowEntry& entry) {
  return {entry.rect.Width(), entry.rect.Height(), entry.header};
}

void StoreEditorLayout(const TEditorLayout& layout, TWindowEntry& entry) {
  entry.rect = TWindowRect::At(entry.rect.left, entry.rect.top, layout.width, layout.height);
  entry.header = layout.columns;
}

// CR LF become blanks: the text goes into a command line.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

}  // namespace

void CMainFrame::ConnectMacros() {
  shell_ = std::make_unique<TQtShell>();
  app_.Macros().SetShell(shell_.get());
  app_.Macros().SetWindow(this);
}

void CMainFrame::DisconnectMacros() {
  app_.Macros().SetWindow(nullptr);
  app_.Macros().SetShell(nullptr);
}

// --- TMacroWindow ------------------------------------------------------------

std::string CMainFrame::SelectedText() const {
  auto* focused = qobject_cast<TLogView*>(QApplication::focusWidget());
  if (focused && focused->HasSelection()) return OneLine(focused->SelectedText());
  auto* current = qobject_cast<TLogView*>(CurrentLogView());
  if (current && current->HasSelection()) return OneLine(current->SelectedText());
  return {};
}

void CMainFrame::WindowCommand(const std::string& word) {
  if (word == "show") {
    RestoreAndActivate();
  } else if (word == "minimize") {
    showMinimized();
  } else if (word == "maximize") {
    showMaximized();
  } else if (word == "flashtitle") {
    FlashTitle();
  } else if (word == "blinktitle") {
    BlinkTitle();
  } else if (word == "restoretitle") {
    StopTitleSignals();
  } else if (word == "quit") {
    close();
  }
}

void CMainFrame::RunCommand(TUnit& unit, TMainCommand command) {
  // The commands act on the selection: the unit of the macro becomes it
  // unless one of its channels already is.
  TSelectionIds ids = SelectedIds(world_);
  if (UnitOf(world_, ids) != &unit) world_.Select(&unit, nullptr);
  UpdateActions();
  for (const auto& [name, action] : actions_) {
    if (LookupCommand(name) != command) continue;
    if (action->isEnabled()) action->trigger();
    return;
  }
}

// --- Editors -----------------------------------------------------------------

void CMainFrame::EditMacros() {
  TWindowLayout& layout = app_.WindowLayout();
  TEditorLayout select = EditorLayoutOf(layout.macro_select);
  select.columns = {layout.macro_file_header};
  TEditorLayout editor = EditorLayoutOf(layout.macro_editor);
  TMacroSettingsWindow window(app_.Macros(), select, &editor, this);
  if (before_dialog) before_dialog(window);
  window.exec();
  TEditorLayout after = window.Layout();
  layout.macro_select.rect = TWindowRect::At(0, 0, after.width, after.height);
  if (!after.columns.empty()) layout.macro_file_header = after.columns.front();
  StoreEditorLayout(editor, layout.macro_editor);
}

void CMainFrame::EditPopupMenu() {
  TWindowLayout& layout = app_.WindowLayout();
  TPopupMenuEditor editor(app_.PopupMenuFile(), app_.PopupMenu(), EditorLayoutOf(layout.popup_editor), this);
  editor.on_saved = [this](const TPopupMenu& menu) { app_.PopupMenu() = menu; };
  if (before_dialog) before_dialog(editor);
  editor.exec();
  StoreEditorLayout(editor.Layout(), layout.popup_editor);
}

// --- Popup items -------------------------------------------------------------

void CMainFrame::ShowGeneralMenu(TLogView& view, QPoint screen) {
  QMenu menu(this);
  AddPopupItems(&menu, view.HasSelection(), SelectedIds(world_), {});
  if (!menu.isEmpty()) menu.exec(screen);
}

void CMainFrame::AddPopupItems(QMenu* menu, bool text_selected, TSelectionIds ids,
                               const std::vector<std::string>& members) {
  std::vector<TPopupEntry> entries = BuildPopupMenu(app_.PopupMenu());
  if (entries.empty()) return;
  if (!menu->isEmpty()) menu->addSeparator();
  AddPopupEntries(menu, entries, ids, text_selected, members);
}

void CMainFrame::AddPopupEntries(QMenu* menu, const std::vector<TPopupEntry>& entries, TSelectionIds ids,
                                 bool text_selected, const std::vector<std::string>& members) {
  TUnit* unit = UnitOf(world_, ids);
  TPopupState state{unit != nullptr, text_selected, unit && unit->IsLoggedIn()};
  for (const TPopupEntry& entry : entries) {
    QString caption = ToQString(entry.caption);
    switch (entry.kind) {
      case TPopupEntry::TKind::Separator:
        menu->addSeparator();
        break;
      case TPopupEntry::TKind::Submenu:
        AddPopupEntries(menu->addMenu(caption), entry.children, ids, text_selected, members);
        break;
      case TPopupEntry::TKind::Command: {
        TMainCommand command = entry.command;
        QAction* action = menu->addAction(caption, this, [this, ids, command] {
          if (TUnit* u = UnitOf(world_, ids)) RunCommand(*u, command);
        });
        action->setEnabled(unit != nullptr);
        break;
      }
      case TPopupEntry::TKind::Item: {
        // The item is copied: the user may edit the menu before choosing.
        TPopupItem item = app_.PopupMenu().items[entry.item];
        QAction* action = menu->addAction(caption, this, [this, ids, item, members] {
          if (members.empty()) {
            if (TUnit* u = UnitOf(world_, ids)) app_.Macros().RunPopupItem(*u, item);
            return;
          }
          // Looked up for each member: an action may close the channel.
          for (const std::string& nick : members) {
            TUnit* u = UnitOf(world_, ids);
            TChannel* channel = TargetOf(world_, ids);
            if (!u || !channel) return;
            app_.Macros().RunPopupItemForMember(*u, item, *channel, nick);
          }
        });
        action->setEnabled(IsPopupItemEnabled(item, state));
        break;
      }
    }
  }
}

}  // namespace zeph
