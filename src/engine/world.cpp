#include "engine/world.h"

#include <algorithm>

#include "display/display_preferences.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

// The local date as one number that changes with every change of day.
int LocalDate(std::time_t now) {
  std::tm tm{};
  if (localtime_r(&now, &tm) == nullptr) return -1;
  return tm.tm_year * 1000 + tm.tm_yday;
}

}  // namespace

TWorld::TWorld(IEventLoop& loop, TPreferences& preferences, TMessageFormat& formats)
    : loop_(loop),
      preferences_(preferences),
      formats_(formats),
      keywords_(KeywordSettingsFrom(preferences)),
      line_builder_(TUrlDetector::Shared(), &keywords_),
      console_(line_builder_),
      keyword_history_(line_builder_),
      url_history_(line_builder_),
      log_files_{LogFileSettingsFrom(preferences), [this] { return Now(); }, {}},
      url_log_(log_files_, TLogFileKind::Url),
      reactions_(keywords_, *this, keyword_history_, url_history_, clip_queue_),
      random_engine_(std::random_device{}()),
      timer_(loop, [this] { OnTick(); }) {
  Random = [this] { return std::uniform_real_distribution<double>(0.0, 1.0)(random_engine_); };
  url_history_.SetSink(&url_log_);
  log_date_ = LocalDate(Now());
  ApplyPreferences();
}

TWorld::~TWorld() {
  timer_.Stop();
  units_.clear();
}

void TWorld::ApplyPreferences() {
  keywords_.Configure(KeywordSettingsFrom(preferences_));
  reactions_.SetSettings(LineReactionSettingsFrom(preferences_));
  console_.SetMaxLines(preferences_.ConsoleLogMaxLines);
  keyword_history_.Lines().SetMaxLines(preferences_.ChannelLogMaxLines);
  url_history_.Lines().SetMaxLines(preferences_.ChannelLogMaxLines);
  for (const auto& unit : units_) {
    unit->FollowSwitchPreferences();
    unit->Log().SetMaxLines(preferences_.ChannelLogMaxLines);
    for (const auto& target : unit->Channels()) {
      target->Log().SetMaxLines(preferences_.ChannelLogMaxLines);
      target->SetMemberSortMethod(static_cast<TMemberSortMethod>(preferences_.MemberSortMethod));
      // A member the user just put in a group shows it at once, not only
      // after he next changes.
      target->RecomputeMemberGroups();
    }
    if (unit->IsLoggedIn()) unit->SetAutoReconnect(preferences_.Reconnect);
    // Retries queued while the setting was on must not fire when it is
    // switched on again.
    if (!preferences_.RejoinOnError437) unit->Rejoins().Clear();
  }
  log_files_.settings = LogFileSettingsFrom(preferences_);
  ForEachLogFile([](TLogFile& file) { file.ApplySettings(); });
}

void TWorld::ForEachLogFile(const std::function<void(TLogFile&)>& action) {
  for (const auto& unit : units_) {
    action(unit->LogFile());
    for (const auto& target : unit->Channels()) action(target->LogFile());
  }
  action(url_log_);
}

void TWorld::CheckLogDate() {
  int date = LocalDate(Now());
  if (date == log_date_) return;
  log_date_ = date;
  ForEachLogFile([](TLogFile& file) { file.CheckPath(); });
}

void TWorld::SetView(TWorldView* view) {
  SetTreeView(view);
  SetTitleView(view);
  SetSoundOutput(view);
  SetClipboard(view);
  SetProtocolLog(view);
  SetUserPrompts(view);
}

void TWorld::Attach() { timer_.Start(kTickMs); }

// --- Units ------------------------------------------------------------------

void TWorld::LoadUnits(const TWorldConfig& config) {
  auto_op_masks = config.auto_op_masks;
  ignore_masks = config.ignore_masks;
  for (TServerConfig unit_config : config.units) {
    TUnit* unit = nullptr;
    for (int tries = 0; tries <= 100 && unit == nullptr; ++tries) {
      unit = AddUnit(unit_config);
      unit_config.name += "_";
    }
  }
  TUnit* first = nullptr;
  for (const auto& unit : units_) {
    if (unit->Config().auto_connect) {
      first = unit.get();
      break;
    }
  }
  if (first == nullptr && !units_.empty()) first = units_.front().get();
  if (first) Select(first, nullptr);
}

TUnit* TWorld::AddUnit(TServerConfig config) {
  if (FindUnit(config.name)) return nullptr;
  units_.push_back(std::make_unique<TUnit>(*this, std::move(config)));
  TUnit& unit = *units_.back();
  unit.Log().SetMaxLines(preferences_.ChannelLogMaxLines);
  NodeAdded(unit, nullptr);
  for (const auto& target : unit.Channels()) NodeAdded(unit, target.get());
  return &unit;
}

bool TWorld::DeleteUnit(TUnit& unit) {
  if (unit.IsConnectionUp()) return false;
  unit.CancelReconnect();
  unit.SetAutoReconnect(false);
  bool was_selected = selected_unit_ == unit.Id();
  for (const auto& target : unit.Channels()) tree_->NodeRemoved(unit, target.get());
  tree_->NodeRemoved(unit, nullptr);
  auto at = std::find_if(units_.begin(), units_.end(), [&unit](const auto& u) { return u.get() == &unit; });
  if (at != units_.end()) units_.erase(at);
  if (was_selected) Select(nullptr, nullptr);
  SaveTree();
  return true;
}

namespace {

// Moves the elements whose ids are listed to the front, in that order.
template <class T>
void OrderByIds(std::vector<std::unique_ptr<T>>& items, const std::vector<TNodeId>& ids) {
  auto rank = [&ids](const std::unique_ptr<T>& item) {
    auto at = std::find(ids.begin(), ids.end(), item->Id());
    return static_cast<size_t>(at - ids.begin());
  };
  std::stable_sort(items.begin(), items.end(), [&rank](const auto& a, const auto& b) { return rank(a) < rank(b); });
}

}  // namespace

void TWorld::Reorder(const std::vector<TNodeId>& units, const std::vector<std::vector<TNodeId>>& targets) {
  OrderByIds(units_, units);
  for (size_t i = 0; i < units.size() && i < targets.size(); ++i)
    if (TUnit* unit = FindUnitById(units[i])) unit->ReorderTargets(targets[i]);
  tree_->TreeReordered();
  SaveTree();
}

TUnit* TWorld::FindUnit(const std::string& name) const {
  for (const auto& unit : units_) {
    if (unit->Name() == name) return unit.get();
  }
  return nullptr;
}

void TWorld::RenameUnit(TUnit& unit, const std::string& name) {
  unit.Rename(name);
  // The title names the unit under any of its targets too.
  UpdateTitle();
}

TUnit* TWorld::FindUnitById(TNodeId id) const {
  for (const auto& unit : units_) {
    if (unit->Id() == id) return unit.get();
  }
  return nullptr;
}

void TWorld::StartConnections(const std::vector<std::string>& server_names) {
  if (prompts_->IsCtrlHeld()) return;
  std::vector<TUnit*> chosen;
  for (const std::string& name : server_names) {
    if (TUnit* unit = FindUnit(name)) chosen.push_back(unit);
  }
  if (chosen.empty()) {
    for (const auto& unit : units_) {
      if (unit->Config().auto_connect) chosen.push_back(unit.get());
    }
  }
  for (size_t k = 0; k < chosen.size(); ++k) chosen[k]->ConnectAfter(kStartStaggerSeconds * static_cast<int>(k));
  if (!chosen.empty() && !preferences_.FocusOnJoin && preferences_.SelectFirstChannelOnInit)
    chosen.front()->SelectFirstJoinedChannel();
}

void TWorld::ShutdownAll(bool force) {
  SavePendingTree();
  for (const auto& unit : units_) unit->Shutdown(force);
}

// --- Targets and the tree ------------------------------------------------------

TChannel* TWorld::CreateTarget(TUnit& unit, const TChannelConfig& config, TTargetKind kind, bool select) {
  TChannel* target = nullptr;
  switch (kind) {
    case TTargetKind::Channel: target = unit.AddChannel(config); break;
    case TTargetKind::Talk:
      if (unit.FindChannel(config.name)) return nullptr;
      target = unit.OpenTalk(config.name, std::string(), std::string());
      break;
    case TTargetKind::DccChat: target = unit.OpenDccChat(config.name, std::string(), std::string()); break;
  }
  if (target == nullptr) return nullptr;
  if (select) Select(&unit, target);
  return target;
}

void TWorld::CloseTarget(TUnit& unit, TChannel& target) {
  bool was_selected = IsSelected(target);
  unit.CloseTarget(target);
  if (was_selected) Select(&unit, nullptr);
}

void TWorld::RenameTalk(TUnit& unit, TChannel& talk, const std::string& name) {
  TChannel* other = unit.FindChannel(name);
  if (other && other != &talk && other->IsTalk()) CloseTarget(unit, *other);
  talk.Rename(name);
  talk.LogFile().SetTargetName(name);
  talk.LogFile().CheckPath();
}

void TWorld::NodeAdded(TUnit& unit, TChannel* target) {
  tree_->NodeAdded(unit, target);
}

void TWorld::NodeChanged(TUnit& unit, TChannel* target) {
  tree_->NodeChanged(unit, target);
  if (IsSelected(target ? static_cast<TTreeNode&>(*target) : unit)) UpdateTitle();
}

void TWorld::Select(TUnit* unit, TChannel* target) {
  selected_unit_ = unit ? unit->Id() : kNoNode;
  selected_target_ = unit && target ? target->Id() : kNoNode;
  if (unit) unit->RememberSelection(selected_target_);
  if (unit) {
    TTreeNode& node = target ? static_cast<TTreeNode&>(*target) : *unit;
    node.ClearMarks();
    tree_->ShowNode(*unit, target);
    tree_->NodeChanged(*unit, target);
  }
  UpdateTitle();
}

bool TWorld::MoveNode(TUnit& unit, TChannel* target, int step) {
  if (preferences_.SortTree) return false;
  const bool moved = target ? unit.MoveTarget(*target, step) : MoveOneStep(units_, &unit, step);
  if (!moved) return false;
  tree_->NodeMoved(unit, target, step);
  SaveTree();
  return true;
}

TUnit* TWorld::SelectedUnit() const { return FindUnitById(selected_unit_); }

TChannel* TWorld::SelectedTarget() const {
  TUnit* unit = SelectedUnit();
  return unit ? unit->FindById(selected_target_) : nullptr;
}

// Without a window nothing is on show, so nothing counts as selected: a
// headless run copies every line the settings allow into the console.
bool TWorld::IsSelected(const TTreeNode& node) const {
  if (!HasTreeView()) return false;
  return node.Id() == (selected_target_ != kNoNode ? selected_target_ : selected_unit_);
}

void TWorld::SetMark(TUnit& unit, const std::string& target_name, const std::string& mark) {
  TChannel* target = unit.FindTarget(target_name);
  TTreeNode& node = target ? static_cast<TTreeNode&>(*target) : unit;
  if (mark == "keyword") {
    node.SetKeywordMark();
  } else if (mark == "newtalk") {
    node.SetNewTalkMark();
  } else if (mark == "update") {
    node.SetUpdateMark();
  } else if (mark == "normal") {
    node.ClearMarks();
  }
}

// --- Lines ------------------------------------------------------------------------

void TWorld::AfterLineAdded(TUnit& unit, TChannel* target, const TLogLineSource& source, const TLogLine& line,
                            bool keyword_switch) {
  // Only keyword hits and URLs make history entries, which carry the place;
  // most lines of a flood have neither.
  std::string history_place;
  if (target && (line.keyword_hit || !line.urls.empty()))
    history_place = formats_.FormatUnitChannelPrefix(unit.Name(), target->Name());
  TLineOrigin origin;
  origin.unit = unit.Id();
  origin.channel = target ? target->Id() : kNoNode;
  origin.keyword_switch = keyword_switch;
  origin.current_nick = unit.Nick();
  origin.history_place = history_place;
  reactions_.AfterLineAdded(origin, source, line);
}

void TWorld::AddConsoleLine(const TLogLineSource& source, bool keyword_check) {
  console_.AddLine(source, keyword_check);
}

void TWorld::SetKeywordMark(TNodeId unit_id, TNodeId channel_id) {
  TUnit* unit = FindUnitById(unit_id);
  if (unit == nullptr) return;
  TChannel* target = channel_id == kNoNode ? nullptr : unit->FindById(channel_id);
  TTreeNode& node = target ? static_cast<TTreeNode&>(*target) : *unit;
  node.SetKeywordMark();
}

bool TWorld::IsMainWindowActive() const { return title_->IsMainWindowActive(); }

void TWorld::BlinkTitle() { title_->BlinkTitle(); }

void TWorld::PlaySound(TNodeId unit_id, const std::string& file) {
  TUnit* unit = FindUnitById(unit_id);
  if (unit == nullptr || unit->IsClosing()) return;
  if (preferences_.MuteOnAway && unit->IsAway()) return;
  sound_->PlaySound(file);
}

bool TWorld::HasUnit(TNodeId unit) const { return FindUnitById(unit) != nullptr; }

bool TWorld::HasChannel(TNodeId unit_id, TNodeId channel) const {
  TUnit* unit = FindUnitById(unit_id);
  return unit && unit->FindById(channel);
}

void TWorld::Select(TNodeId unit_id, TNodeId channel) {
  TUnit* unit = FindUnitById(unit_id);
  if (unit) Select(unit, channel == kNoNode ? nullptr : unit->FindById(channel));
}

void TWorld::JoinChannel(TNodeId unit_id, const std::string& channel_name) {
  if (TUnit* unit = FindUnitById(unit_id)) unit->SendJoin(channel_name, std::string());
}

void TWorld::OnLogLineAction(const TLinkKey& key) { FollowLink(key, *this); }

// --- The tree file ---------------------------------------------------------------

TWorldConfig TWorld::CollectConfig() const {
  TWorldConfig config;
  config.auto_op_masks = auto_op_masks;
  config.ignore_masks = ignore_masks;
  for (const auto& unit : units_) {
    TServerConfig record = unit->Config();
    record.channels.clear();
    for (const auto& target : unit->Channels()) {
      if (target->IsChannel() && target->StoredInTree()) record.channels.push_back(target->ToConfig());
    }
    config.units.push_back(std::move(record));
  }
  return config;
}

bool TWorld::SaveTree() {
  save_tree_requested_ = false;
  if (!save_tree || save_tree(CollectConfig())) return true;
  // The old file is still there; the user must know the change was not kept.
  ReportError(Sjis("サーバツリーを保存できませんでした"));
  return false;
}

void TWorld::ReportError(const std::string& text) {
  TLogLineSource source;
  source.time = formats_.FormatTime(Now());
  source.body = text;
  source.category = KindCategory(TMessageKind::Error);
  console_.AddLine(source, false);
}

void TWorld::SavePendingTree() {
  if (save_tree_requested_) SaveTree();
}

// --- Once a second ------------------------------------------------------------------

void TWorld::OnTick() {
  for (size_t i = 0; i < units_.size(); ++i) units_[i]->OnTick();
  CheckLogDate();
  ForEachLogFile([](TLogFile& file) { file.Tick(); });
  // Without a clipboard the queue still empties: a URL waits for no one.
  if (std::optional<std::string> url = clip_queue_.Pop()) clipboard_->PutOnClipboard(*url);
  SavePendingTree();
}

// --- The title ---------------------------------------------------------------------

std::string TWorld::Title() const {
  TUnit* unit = SelectedUnit();
  if (unit == nullptr) return WindowCaption(std::nullopt);
  std::string modes = unit->UserMode().ToText();
  TTitleUnit title_unit{unit->DisplayNick(), unit->Name(), modes};
  TChannel* target = SelectedTarget();
  std::string title;
  if (target == nullptr) {
    title = formats_.FormatUnitTitle(title_unit);
  } else if (target->IsTalk()) {
    title = formats_.FormatTalkTitle(title_unit, target->Name());
  } else if (target->IsDccChat()) {
    title = formats_.FormatDCCChatTitle(title_unit, target->Name());
  } else {
    title = formats_.FormatChannelTitle(title_unit, target->Name(), target->Mode().ToText(), target->Topic(),
                                        target->Members().MemberCount(), target->IsOperator());
  }
  return WindowCaption(title);
}

void TWorld::UpdateTitle() {
  title_->SetTitle(Title());
}

}  // namespace zeph
