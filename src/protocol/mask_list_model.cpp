#include "protocol/mask_list_model.h"

#include "engine/channel_name.h"
#include "platform/sjis.h"

namespace zeph {

std::optional<TMaskListKind> MaskListKindOf(char mode_letter) {
  switch (mode_letter) {
    case 'b': return TMaskListKind::Ban;
    case 'e': return TMaskListKind::Exception;
    case 'I': return TMaskListKind::Invite;
    case 'R': return TMaskListKind::Reop;
    default: return std::nullopt;
  }
}

std::string TMaskListModel::Title(TMaskListKind kind, const std::string& channel, const std::string& unit_name) {
  const char* list = " のバンリスト - ";
  switch (kind) {
    case TMaskListKind::Ban: break;
    case TMaskListKind::Exception: list = " のバン例外リスト - "; break;
    case TMaskListKind::Invite: list = " の招待ユーザリスト - "; break;
    case TMaskListKind::Reop: list = " のオペレータ復活リスト - "; break;
  }
  return channel + Sjis(list) + unit_name;
}

int TMaskListModel::Find(const std::string& mask) const {
  std::string key = IrcUpper(mask);
  for (size_t i = 0; i < masks_.size(); ++i) {
    if (IrcUpper(masks_[i]) == key) return static_cast<int>(i);
  }
  return -1;
}

void TMaskListModel::Add(const std::string& mask) {
  if (mask.empty() || !keys_.insert(IrcUpper(mask)).second) return;
  masks_.push_back(mask);
  if (observer_) observer_->OnMaskAdded(*this, static_cast<int>(masks_.size()) - 1);
}

void TMaskListModel::Remove(const std::string& mask) {
  if (keys_.erase(IrcUpper(mask)) == 0) return;
  int row = Find(mask);
  masks_.erase(masks_.begin() + row);
  if (observer_) observer_->OnMaskRemoved(*this, row);
}

void TMaskListModel::Clear() {
  masks_.clear();
  keys_.clear();
  if (observer_) observer_->OnMasksCleared(*this);
}

void TMaskListModel::Raise() {
  if (observer_) observer_->OnMaskListRaise(*this);
}

void TMaskListModel::NotifyClosed() {
  if (observer_) observer_->OnMaskListClosed(*this);
  observer_ = nullptr;
}

}  // namespace zeph
