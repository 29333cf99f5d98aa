#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "app/widgets/settings_dialogs.h"

class QWidget;

namespace zeph {

struct TPreferences;
class TMessageFormat;

// The pages of "設定" laid out by hand; the other sections show one box per
// key. Each page edits `prefs` through `apply`, run when the user presses
// OK, so Cancel leaves the preferences untouched.
using TApplySteps = std::vector<std::function<void()>>;

// "ログファイル": the log folder, the switch and name pattern of each kind
// of log, and the periodic flush.
QWidget* LogFilePage(TPreferences& prefs, const TSettingsServices& services, TApplySteps& apply);

// "サウンド": each event's switch and file, with "再生(&P)" and "変更(&C)...".
// The chooser starts in `sound_folder` for an event without a file.
// `columns` holds the list's column widths and follows the user's changes.
QWidget* SoundPage(TPreferences& prefs, const TSettingsServices& services, const QString& sound_folder,
                   std::vector<int>& columns, TApplySteps& apply);

// The pages over the working message formats: the time, place and nick
// prefixes with the window titles, and the list of message kinds.
QWidget* PrefixPage(TMessageFormat& formats, TApplySteps& apply);
QWidget* KindsPage(TMessageFormat& formats, std::vector<int>& columns, TApplySteps& apply);

}  // namespace zeph
