#include "macro/editor_layout.h"

namespace zeph {

TEditorLayout DefaultMacroSelectLayout() { return {480, 300, {100}}; }

TEditorLayout DefaultMacroEditorLayout() { return {560, 300, {80, 50, 60, 70, 30, 30, 40, 40, 70, 30}}; }

TEditorLayout DefaultPopupEditorLayout() { return {600, 300, {50, 160, 80, 80, 170}}; }

}  // namespace zeph
