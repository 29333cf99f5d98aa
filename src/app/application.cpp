#include "app/application.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/version1_import.h"
#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "settings/preference_file.h"
#include "settings/settings_file_check.h"
#include "settings/tree_file.h"
#include "platform/cp932.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"

namespace zeph {
namespace {

// While waiting for the servers to close, look this often.
constexpr int kShutdownPollMs = 100;

// Why a settings file cannot be used: for standard error, and for the
// console in the program's own words.
std::string TroubleInEnglish(const TSettingsFileCheck& check) {
  switch (check.trouble) {
    case TSettingsFileTrouble::kFolder: return "it is a folder";
    case TSettingsFileTrouble::kUnreadable: return std::string("it cannot be read: ") + std::strerror(check.error);
    case TSettingsFileTrouble::kEmpty: return "it is empty";
    case TSettingsFileTrouble::kNoSettings: return "it holds no settings";
    case TSettingsFileTrouble::kNone: break;
  }
  return {};
}

std::string TroubleInJapanese(const TSettingsFileCheck& check) {
  switch (check.trouble) {
    case TSettingsFileTrouble::kFolder: return Sjis("フォルダです");
    case TSettingsFileTrouble::kUnreadable: return Sjis("読み込めません: ") + std::strerror(check.error);
    case TSettingsFileTrouble::kEmpty: return Sjis("空のファイルです");
    case TSettingsFileTrouble::kNoSettings: return Sjis("設定ファイルではありません");
    case TSettingsFileTrouble::kNone: break;
  }
  return {};
}

}  // namespace

TApplication::TApplication(IEventLoop& loop, TAppFolders folders)
    : loop_(loop),
      folders_(std::move(folders)),
      preferences_(DefaultPreferences()),
      shutdown_timer_(loop, [this] { CheckShutdown(); }) {}

TApplication::~TApplication() {
  shutdown_timer_.Stop();
  // Closing transfers look their units up in the world: it goes last.
  if (world_) {
    world_->SetDcc(nullptr);
    world_->SetMacros(nullptr);
  }
  dcc_.reset();
  macros_.reset();
  world_.reset();
}

void TApplication::LoadAllSettings() {
  window_layout_ = LoadWindowLayout(WindowFile());
  LoadTreeFile();
  LoadPreferences(PreferenceFile(), &preferences_);
  if (std::filesystem::exists(ViewFile())) {
    TIniFile view(false);
    if (view.Load(ViewFile())) {
      view_settings_.ReadViewSettings(view, true, false);
      formats_.Load(view);
    }
  }
  popup_menu_ = LoadPopupMenu(PopupMenuFile());
}

void TApplication::LoadTreeFile() {
  tree_trouble_.clear();
  TSettingsFileCheck check = CheckSettingsFile(TreeFile());
  if (check.trouble == TSettingsFileTrouble::kNone) {
    LoadTree(TreeFile(), &tree_);
    return;
  }
  std::fprintf(stderr, "zephlora: %s cannot be used (%s); no server is loaded and the file is left as it is\n",
               TreeFile().c_str(), TroubleInEnglish(check).c_str());
  tree_trouble_ = StringPrintf(Sjis("サーバツリー %s を読み込めませんでした: %s"),
                               cp932::FromUtf8(TreeFile().string()).c_str(), TroubleInJapanese(check).c_str());
}

// The user's file, which we could not read, is worth more than our copy.
bool TApplication::SaveTreeFile(const TWorldConfig& tree) {
  tree_ = tree;
  return tree_trouble_.empty() && SaveTree(TreeFile(), tree);
}

bool TApplication::SaveAllSettings() {
  bool ok = SaveWindowLayout(WindowFile(), window_layout_);
  ok &= SaveTreeFile(units_loaded_ ? world_->CollectConfig() : tree_);
  ok &= SavePreferences();
  // The view sections are written by whoever changes them (the settings
  // dialog); a save of the formats keeps them, and any key we do not know, as they are.
  ok &= SaveFormats();
  return ok;
}

TImportReport TApplication::ImportVersion1Settings(const std::filesystem::path& source) {
  TImportSettings settings{preferences_, tree_, view_settings_, window_layout_};
  settings.view.formats = formats_;
  TImportReport report = ImportVersion1(source, folders_.version1_user, folders_, &settings);
  LoadAllSettings();
  return report;
}

bool TApplication::SaveFormats() {
  return SaveIniSection(ViewFile(), "Format", TFilePrivacy::Shared,
                        [this](TIniWriter& writer) { formats_.Save(writer); });
}

bool TApplication::SaveWindowLayoutOnce() {
  if (window_layout_saved_) return true;
  window_layout_saved_ = true;
  return SaveWindowLayout(WindowFile(), window_layout_);
}

bool TApplication::SavePreferences() { return ::zeph::SavePreferences(PreferenceFile(), preferences_); }

void TApplication::CreateWorld() {
  world_ = std::make_unique<TWorld>(loop_, preferences_, formats_);
  world_->LogFiles().batch.Attach(loop_);
  protocol_ = std::make_unique<TProtocol>(*world_);
  world_->SetProtocol(protocol_.get());
  dcc_ = std::make_unique<TDccService>(*world_);
  world_->SetDcc(dcc_.get());
  macros_ = std::make_unique<TMacros>(*world_, TMacroFolders{folders_.macro, folders_.macro_data, folders_.macro_sound});
  world_->SetMacros(macros_.get());
  world_->save_tree = [this](const TWorldConfig& tree) { return SaveTreeFile(tree); };
  if (!tree_trouble_.empty()) world_->ReportError(tree_trouble_);
}

void TApplication::Start(const std::vector<std::string>& server_names) {
  if (!world_) CreateWorld();
  world_->Attach();
  world_->LoadUnits(tree_);
  units_loaded_ = true;
  world_->StartConnections(server_names);
}

void TApplication::Shutdown(bool quick, std::function<void()> done) {
  if (shutting_down_) return;
  shutting_down_ = true;
  shutdown_done_ = std::move(done);
  if (world_) world_->ShutdownAll(quick);
  if (quick || !AnyServerClosing()) {
    FinishShutdown();
    return;
  }
  shutdown_deadline_ = loop_.NowMs() + kQuitWaitMs;
  shutdown_timer_.Start(kShutdownPollMs);
}

bool TApplication::AnyServerClosing() const {
  if (!world_) return false;
  for (const auto& unit : world_->Units()) {
    if (unit->IsWaitingForQuit()) return true;
  }
  return false;
}

void TApplication::CheckShutdown() {
  if (AnyServerClosing() && loop_.NowMs() < shutdown_deadline_) return;
  FinishShutdown();
}

void TApplication::FinishShutdown() {
  shutdown_timer_.Stop();
  // A channel joined while the servers were closing is kept too.
  if (world_) world_->SavePendingTree();
  std::function<void()> done = std::move(shutdown_done_);
  shutdown_done_ = nullptr;
  if (done) done();
}

}  // namespace zeph
