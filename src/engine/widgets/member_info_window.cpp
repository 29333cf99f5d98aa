#include "engine/widgets/member_info_window.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "display/widgets/log_file_commands.h"
#include "display/widgets/screen_look.h"
#include "engine/channel.h"
#include "engine/member_export.h"
#include "engine/unit.h"
#include "engine/widgets/member_detail_model.h"
#include "engine/world.h"
#include "platform/qt/qt_text.h"
#include "platform/sjis.h"

namespace zeph {

TMemberInfoWindow::TMemberInfoWindow(TWorld& world, TChannel& channel, QWidget* parent)
    : QDialog(parent),
      questions(&LogFileDialogs()),
      world_(world),
      unit_(channel.Unit().Id()),
      channel_(channel.Id()),
      model_(new TMemberDetailModel(channel, this)),
      view_(new QTreeView(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("Zephlora2MemberInfo"));
  setWindowTitle(LiteralWindowTitle(ToQString(channel.Name() + Sjis(" のメンバ情報 - ") + channel.Unit().Name())));
  setSizeGripEnabled(true);

  view_->setModel(model_);
  view_->setRootIsDecorated(false);
  view_->setUniformRowHeights(true);
  view_->setAllColumnsShowFocus(true);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  view_->header()->setStretchLastSection(false);
  view_->header()->resizeSection(0, 24);
  connect(view_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) { WhoisAt(index.row()); });
  connect(view_, &QWidget::customContextMenuRequested, this, &TMemberInfoWindow::ShowMemberMenu);

  auto* refresh = new QPushButton(QStringLiteral("更新(&U)"), this);
  auto* save = new QPushButton(QStringLiteral("ファイルに保存(&S)"), this);
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  refresh->setObjectName(QStringLiteral("refresh"));
  save->setObjectName(QStringLiteral("save"));
  connect(refresh, &QPushButton::clicked, this, &TMemberInfoWindow::Refresh);
  connect(save, &QPushButton::clicked, this, &TMemberInfoWindow::SaveToFile);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(refresh, QDialogButtonBox::ActionRole);
  buttons->addButton(save, QDialogButtonBox::ActionRole);
  buttons->addButton(close, QDialogButtonBox::RejectRole);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_);
  layout->addWidget(buttons);
  resize(640, 360);
}

TMemberInfoWindow::~TMemberInfoWindow() = default;

TChannel* TMemberInfoWindow::FindChannel() const {
  TUnit* unit = world_.FindUnitById(unit_);
  return unit ? unit->FindById(channel_) : nullptr;
}

void TMemberInfoWindow::ApplyGeometry(const TWindowEntry& geometry) {
  ApplyListWindowGeometry(*this, *view_->header(), geometry);
}

TWindowEntry TMemberInfoWindow::Geometry() const { return ListWindowGeometryOf(*this, *view_->header()); }

void TMemberInfoWindow::SetLook(const TScreenLook& look) {
  ApplyListLook(*view_, look);
  // The rows only: the headers keep the dialog's font, which their stored
  // widths were made for.
  view_->header()->setFont(font());
}

void TMemberInfoWindow::Raise() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void TMemberInfoWindow::ChannelClosed() {
  model_->Detach();
  close();
}

void TMemberInfoWindow::Refresh() {
  if (TChannel* channel = FindChannel()) RefreshMemberDetails(*channel);
}

void TMemberInfoWindow::SaveToFile() {
  TChannel* channel = FindChannel();
  if (!channel) return;
  const auto path = questions->AskSavePath(this, ToQString(MemberExportFileName(channel->Name())));
  if (!path) return;
  std::error_code error;
  if (std::filesystem::exists(*path, error) &&
      !questions->Confirm(this, QStringLiteral("既存のファイルを上書きします"))) {
    return;
  }
  // The dialogs ran the event loop: the channel may be gone by now.
  channel = FindChannel();
  if (!channel) return;
  if (!WriteMemberExport(*path, channel->Members())) {
    questions->Failed(this, QStringLiteral("ファイルを開けませんでした"));
  }
}

void TMemberInfoWindow::WhoisAt(int row) {
  const TMember* member = model_->MemberAt(row);
  TChannel* channel = FindChannel();
  if (!member || !channel || !channel->Unit().IsLoggedIn()) return;
  channel->Unit().SendWhois(member->nick);
}

void TMemberInfoWindow::ShowMemberMenu(const QPoint& position) {
  const TMember* member = model_->MemberAt(view_->indexAt(position).row());
  if (member && member_menu) member_menu(*member, view_->viewport()->mapToGlobal(position));
}

void TMemberInfoWindow::closeEvent(QCloseEvent* event) {
  if (store_geometry) store_geometry(Geometry());
  model_->Detach();
  QDialog::closeEvent(event);
}

// --- The windows of all channels ---------------------------------------------------------------

TMemberInfoWindows::~TMemberInfoWindows() {
  for (auto& [id, window] : windows_) {
    QObject::disconnect(window, nullptr, nullptr, nullptr);
    window->ChannelClosed();
  }
}

TMemberInfoWindow& TMemberInfoWindows::Open(TChannel& channel, QWidget* parent) {
  if (TMemberInfoWindow* open = Find(channel.Id())) {
    open->Raise();
    return *open;
  }
  auto* window = new TMemberInfoWindow(world_, channel, parent);
  if (parent) window->setWindowFlag(Qt::Window);
  windows_[channel.Id()] = window;
  const TNodeId id = channel.Id();
  QObject::connect(window, &QObject::destroyed, [this, id] { windows_.erase(id); });
  if (look_) window->SetLook(*look_);
  if (prepare) prepare(*window);
  window->Raise();
  return *window;
}

void TMemberInfoWindows::SetLook(std::shared_ptr<const TScreenLook> look) {
  look_ = std::move(look);
  if (!look_) return;
  for (auto& [id, window] : windows_) window->SetLook(*look_);
}

TMemberInfoWindow* TMemberInfoWindows::Find(TNodeId channel) const {
  auto found = windows_.find(channel);
  return found == windows_.end() ? nullptr : found->second;
}

void TMemberInfoWindows::TargetRemoved(const TChannel& channel) {
  if (TMemberInfoWindow* window = Find(channel.Id())) window->ChannelClosed();
}

}  // namespace zeph
