#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "settings/preferences.h"
#include "settings/server_config.h"
#include "display/display_notifier.h"
#include "display/keyword_matcher.h"
#include "display/line_builder.h"
#include "display/line_history.h"
#include "display/line_reactions.h"
#include "display/link_follower.h"
#include "display/line_store.h"
#include "display/link_key.h"
#include "display/log_file.h"
#include "display/message_format.h"
#include "display/url_clip_queue.h"
#include "display/url_detector.h"
#include "engine/unit.h"
#include "engine/world_hooks.h"
#include "platform/event_loop.h"

namespace zeph {

// The root of the engine model: every unit in tree order, the console, the
// one-second timer that drives them all, the selection and the title.
class TWorld final : private TDisplayNotifier, private TLinkTargets {
 public:
  static constexpr int kTickMs = 1000;
  static constexpr int kStartStaggerSeconds = 3;

  TWorld(IEventLoop& loop, TPreferences& preferences, TMessageFormat& formats);
  ~TWorld();
  TWorld(const TWorld&) = delete;
  TWorld& operator=(const TWorld&) = delete;

  IEventLoop& Loop() const { return loop_; }
  TPreferences& Preferences() const { return preferences_; }
  TMessageFormat& Formats() const { return formats_; }
  TLineBuilder& LineBuilder() { return line_builder_; }
  TKeywordMatcher& Keywords() { return keywords_; }
  TLineStore& Console() { return console_; }
  TUrlClipQueue& ClipQueue() { return clip_queue_; }
  TLineHistory& KeywordHistory() { return keyword_history_; }
  TLineHistory& UrlHistory() { return url_history_; }
  // What every log file writer reads: the settings and this world's clock.
  TLogFileContext& LogFiles() { return log_files_; }

  // The wall clock, in seconds, for time stamps.
  std::time_t Now() const { return static_cast<std::time_t>(loop_.WallTimeMs() / 1000); }
  // 0 <= r < 1, for the auto-op delay; tests replace it.
  std::function<double()> Random;

  // The program around the engine, one hook per concern; a null pointer
  // installs the do-nothing hook. SetView installs the main window for
  // every concern of the view.
  void SetView(TWorldView* view);
  void SetTreeView(TTreeView* tree) { tree_ = tree ? tree : &no_tree_; }
  void SetTitleView(TTitleView* title) { title_ = title ? title : &no_title_; }
  void SetSoundOutput(TSoundOutput* sound) { sound_ = sound ? sound : &no_sound_; }
  void SetClipboard(TClipboard* clipboard) { clipboard_ = clipboard ? clipboard : &no_clipboard_; }
  void SetProtocolLog(TProtocolLog* log) { protocol_log_ = log ? log : &no_protocol_log_; }
  void SetUserPrompts(TUserPrompts* prompts) { prompts_ = prompts ? prompts : &no_prompts_; }
  void SetProtocol(TProtocolHandler* protocol) { protocol_ = protocol ? protocol : &no_protocol_; }
  void SetMacros(TMacroHooks* macros) { macros_ = macros ? macros : &no_macros_; }
  void SetDcc(TDccHooks* dcc) { dcc_ = dcc ? dcc : &no_dcc_; }
  TTreeView& Tree() const { return *tree_; }
  TTitleView& TitleView() const { return *title_; }
  TSoundOutput& Sound() const { return *sound_; }
  TClipboard& Clipboard() const { return *clipboard_; }
  TProtocolLog& ProtocolLog() const { return *protocol_log_; }
  TUserPrompts& Prompts() const { return *prompts_; }
  TProtocolHandler& Protocol() const { return *protocol_; }
  TMacroHooks& Macros() const { return *macros_; }
  TDccHooks& Dcc() const { return *dcc_; }
  // Whether a window shows the tree: without one nothing is on show.
  bool HasTreeView() const { return tree_ != &no_tree_; }
  // Writes the server tree; false when the file could not be written.
  std::function<bool(const TWorldConfig&)> save_tree;
  // The main window's "all macros stopped" switch.
  bool macros_stopped = false;

  // Applied to every user, from the World section of the server tree.
  std::vector<std::string> auto_op_masks;
  std::vector<std::string> ignore_masks;

  // Starts the one-second timer.
  void Attach();
  void LoadUnits(const TWorldConfig& config);
  void StartConnections(const std::vector<std::string>& server_names);
  TUnit* AddUnit(TServerConfig config);
  // Removes a unit whose connection is down (a pending reconnection is
  // cancelled first) and saves the tree; false, changing nothing, while
  // the connection is up.
  bool DeleteUnit(TUnit& unit);
  // Puts the units, and each unit's targets, in the order of the ids given
  // (the tree editor); ids that name nothing are skipped, nodes not named
  // keep their place after the named ones. The tree is saved.
  void Reorder(const std::vector<TNodeId>& units, const std::vector<std::vector<TNodeId>>& targets);
  TUnit* FindUnit(const std::string& name) const;
  TUnit* FindUnitById(TNodeId id) const;
  // Gives the unit a new name; its log files move to the files of the name.
  void RenameUnit(TUnit& unit, const std::string& name);
  const std::vector<std::unique_ptr<TUnit>>& Units() const { return units_; }
  // Writes a server tree save still waiting for its tick, then shuts every
  // unit down.
  void ShutdownAll(bool force);

  // Creates a target and its tree node; null when the unit has the name.
  TChannel* CreateTarget(TUnit& unit, const TChannelConfig& config, TTargetKind kind, bool select);
  void CloseTarget(TUnit& unit, TChannel& target);
  // Renames a talk, closing another talk that already has the new name;
  // its log file moves to the file of the new name.
  void RenameTalk(TUnit& unit, TChannel& talk, const std::string& name);

  void Select(TUnit* unit, TChannel* target);
  // Moves a unit (target null) or a target one place up (-1) or down (1)
  // among its siblings and saves the tree. Nothing moves while the tree is
  // sorted, or at either end.
  bool MoveNode(TUnit& unit, TChannel* target, int step);
  TUnit* SelectedUnit() const;
  TChannel* SelectedTarget() const;
  bool IsSelected(const TTreeNode& node) const;
  // Marks a node by name as the macros do: "keyword", "newtalk", "update",
  // or "normal" to clear; a name that finds no target means the unit.
  void SetMark(TUnit& unit, const std::string& target_name, const std::string& mark);

  // After a print added a line to a unit or channel log: the keyword and
  // URL reactions. (Unread marks come from the messages themselves: a
  // notice or a join does not make a channel unread.)
  void AfterLineAdded(TUnit& unit, TChannel* target, const TLogLineSource& source, const TLogLine& line,
                      bool keyword_switch);
  void AddConsoleLine(const TLogLineSource& source, bool keyword_check);

  // Writes the server tree at the next tick (at most once per tick, however
  // many channels a server makes us join).
  void RequestSaveTree() { save_tree_requested_ = true; }
  bool SaveTree();
  // The save the next tick would make, made now: the program is ending.
  void SavePendingTree();
  // An error line in the console that belongs to no unit.
  void ReportError(const std::string& text);
  TWorldConfig CollectConfig() const;

  // The action of a log line (a console copy or an invitation).
  void OnLogLineAction(const TLinkKey& key);
  void OnTick();
  std::string Title() const;
  void UpdateTitle();

  // Applies changed preferences to the switches that follow them, to the
  // member groups and to every log file writer.
  void ApplyPreferences();

 private:
  // The tree learns of nodes and their changes from the model itself, never
  // from a call placed by hand: only units and targets announce.
  friend class TUnit;
  friend class TChannel;
  void NodeAdded(TUnit& unit, TChannel* target);
  void NodeChanged(TUnit& unit, TChannel* target = nullptr);

  // The unit logs, the targets and the URL history.
  void ForEachLogFile(const std::function<void(TLogFile&)>& action);
  // After the local date changed, every open log file goes on in the file
  // of the new day.
  void CheckLogDate();
  // TDisplayNotifier
  void SetKeywordMark(TNodeId unit, TNodeId channel) override;
  bool IsMainWindowActive() const override;
  void BlinkTitle() override;
  void PlaySound(TNodeId unit, const std::string& file) override;
  // TLinkTargets
  bool HasUnit(TNodeId unit) const override;
  bool HasChannel(TNodeId unit, TNodeId channel) const override;
  void Select(TNodeId unit, TNodeId channel) override;
  void RevealLine(TNodeId unit, TNodeId channel, std::uint64_t serial) override {}
  void JoinChannel(TNodeId unit, const std::string& channel_name) override;

  TTreeView no_tree_;
  TTitleView no_title_;
  TSoundOutput no_sound_;
  TClipboard no_clipboard_;
  TProtocolLog no_protocol_log_;
  TUserPrompts no_prompts_;
  TProtocolHandler no_protocol_;
  TMacroHooks no_macros_;
  TDccHooks no_dcc_;
  TTreeView* tree_ = &no_tree_;
  TTitleView* title_ = &no_title_;
  TSoundOutput* sound_ = &no_sound_;
  TClipboard* clipboard_ = &no_clipboard_;
  TProtocolLog* protocol_log_ = &no_protocol_log_;
  TUserPrompts* prompts_ = &no_prompts_;
  TProtocolHandler* protocol_ = &no_protocol_;
  TMacroHooks* macros_ = &no_macros_;
  TDccHooks* dcc_ = &no_dcc_;

  IEventLoop& loop_;
  TPreferences& preferences_;
  TMessageFormat& formats_;
  TKeywordMatcher keywords_;
  TLineBuilder line_builder_;
  TLineStore console_;
  TUrlClipQueue clip_queue_;
  TLineHistory keyword_history_;
  TLineHistory url_history_;
  TLogFileContext log_files_;
  TLogFile url_log_;
  int log_date_ = -1;  // the local date of the last tick: year and day of the year
  TLineReactions reactions_;
  std::mt19937 random_engine_;
  std::vector<std::unique_ptr<TUnit>> units_;
  TTimer timer_;
  TNodeId selected_unit_ = kNoNode;
  TNodeId selected_target_ = kNoNode;
  bool save_tree_requested_ = false;
};

}  // namespace zeph
