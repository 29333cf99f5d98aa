#include "app/application.h"

#include <filesystem>

#include "app/settings/ini_file.h"
#include "app/settings/ini_writer.h"
#include "app/settings/preference_file.h"
#include "app/settings/tree_file.h"

namespace zeph {
namespace {

// While waiting for the servers to close, look this often.
constexpr int kShutdownPollMs = 100;

}  // namespace

TApplication::TApplication(IEventLoop& loop, TAppFolders folders)
    : loop_(loop),
      folders_(std::move(folders)),
      preferences_(DefaultPreferences()),
      shutdown_timer_(loop, [this] { CheckShutdown(); }) {}

TApplication::~TApplication() {
  shutdown_timer_.Stop();
  world_.reset();
}

void TApplication::LoadAllSettings() {
  LoadTree(TreeFile(), &tree_);
  LoadPreferences(PreferenceFile(), &preferences_);
  if (std::filesystem::exists(ViewFile())) {
    TIniFile view(false);
    if (view.Load(ViewFile())) formats_.Load(view);
  }
}

bool TApplication::SaveAllSettings() {
  if (world_) tree_ = world_->CollectConfig();
  bool ok = SaveTree(TreeFile(), tree_);
  ok &= SavePreferences(PreferenceFile(), preferences_);
  // The view sections of the file are not read yet: they stay as they are.
  ok &= SaveIniSection(ViewFile(), "Format", TFilePrivacy::Shared,
                       [this](TIniWriter& writer) { formats_.Save(writer); });
  return ok;
}

void TApplication::CreateWorld() {
  world_ = std::make_unique<TWorld>(loop_, preferences_, formats_);
  protocol_ = std::make_unique<TProtocol>(*world_);
  world_->protocol = protocol_.get();
  world_->save_tree = [this](const TWorldConfig& tree) {
    tree_ = tree;
    return SaveTree(TreeFile(), tree);
  };
}

void TApplication::Start(const std::vector<std::string>& server_names) {
  if (!world_) CreateWorld();
  world_->Attach();
  world_->LoadUnits(tree_);
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
