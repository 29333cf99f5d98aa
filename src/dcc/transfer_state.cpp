#include "dcc/transfer_state.h"

#include <array>

namespace zeph {
namespace {

constexpr std::array<std::string_view, 8> kReceiveLabels = {"待機", "エラー",       "中断",   "受信予約",
                                                            "接続中", "レジューム中", "受信中", "受信完了"};
constexpr std::array<std::string_view, 8> kSendLabels = {"待機",   "エラー",   "中断",   "送信予約",
                                                         "準備中", "接続待ち", "送信中", "送信完了"};

}  // namespace

bool IsActive(TTransferState state) {
  return state == TTransferState::Opening || state == TTransferState::Negotiating ||
         state == TTransferState::Transferring;
}

std::string_view StateLabel(TTransferKind kind, TTransferState state) {
  const auto& labels = kind == TTransferKind::Receive ? kReceiveLabels : kSendLabels;
  return labels[static_cast<size_t>(state)];
}

}  // namespace zeph
