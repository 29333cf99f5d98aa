#include "protocol/widgets/mask_list_window.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "protocol/numeric_windows.h"

namespace zeph {

// The masks as rows; the window tells it of each change.
class TMaskListWindow::TItems final : public QAbstractListModel {
 public:
  TItems(TMaskListWindow& window) : QAbstractListModel(&window), window_(window) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() || !window_.model_ ? 0 : static_cast<int>(window_.model_->Masks().size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || index.row() < 0 || index.row() >= rowCount()) return {};
    return ToQString(window_.model_->Masks()[static_cast<size_t>(index.row())]);
  }
  void Added(int row) {
    beginInsertRows({}, row, row);
    endInsertRows();
  }
  void Removed(int row) {
    beginRemoveRows({}, row, row);
    endRemoveRows();
  }
  void Reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  TMaskListWindow& window_;
};

TMaskListWindow::TMaskListWindow(TReplyWindows& windows, TMaskListModel& model, const std::string& channel,
                                 const std::string& unit_name, QWidget* parent)
    : QDialog(parent), windows_(windows), model_(&model), items_(new TItems(*this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("Zephlora2MaskList"));
  setWindowTitle(LiteralWindowTitle(ToQString(TMaskListModel::Title(model.Kind(), channel, unit_name))));
  setSizeGripEnabled(true);
  auto* view = new QListView(this);
  view->setModel(items_);
  view->setUniformItemSizes(true);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* buttons = new QDialogButtonBox(this);
  auto* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view);
  layout->addWidget(buttons);
  resize(420, 300);
  model.SetObserver(this);
}

TMaskListWindow::~TMaskListWindow() {
  if (model_) model_->SetObserver(nullptr);
}

QAbstractItemModel& TMaskListWindow::Items() const { return *items_; }

void TMaskListWindow::OnMaskAdded(const TMaskListModel&, int row) { items_->Added(row); }
void TMaskListWindow::OnMaskRemoved(const TMaskListModel&, int row) { items_->Removed(row); }
void TMaskListWindow::OnMasksCleared(const TMaskListModel&) { items_->Reset(); }

void TMaskListWindow::OnMaskListRaise(const TMaskListModel&) {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void TMaskListWindow::OnMaskListClosed(const TMaskListModel&) {
  model_ = nullptr;
  items_->Reset();
  close();
}

void TMaskListWindow::closeEvent(QCloseEvent* event) {
  if (TMaskListModel* model = std::exchange(model_, nullptr)) {
    model->SetObserver(nullptr);
    items_->Reset();
    windows_.CloseMaskList(*model);
  }
  QDialog::closeEvent(event);
}

}  // namespace zeph
