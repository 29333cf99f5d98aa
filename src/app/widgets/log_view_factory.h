#pragma once

#include <QWidget>
#include <memory>

namespace zeph {

class TLineStore;
class TScreenLook;
struct TPreferences;

// The widget that shows one log, with the look of the view settings and
// the preferences of a view. Every log pane of the main window is made
// here.
QWidget* MakeLogView(TLineStore& lines, bool console, std::shared_ptr<const TScreenLook> look,
                     const TPreferences& prefs, QWidget* parent);

}  // namespace zeph
