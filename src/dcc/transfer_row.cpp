#include "dcc/transfer_row.h"

#include "net/resolver.h"
#include "platform/cp932.h"
#include "platform/net.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"

namespace zeph {
namespace {

constexpr double kSlowestSpeed = 0.00001;

std::string Task(const TTransfer& transfer) {
  if (transfer.State() == TTransferState::Failed) return transfer.ErrorText();
  return Sjis(StateLabel(transfer.Kind(), transfer.State()));
}

// The columns both kinds share.
TTransferRow CommonRow(const TTransfer& transfer) {
  TTransferRow row;
  row.nick = transfer.Nick();
  row.task = Task(transfer);
  row.count = GroupedNumber(transfer.Position()) + " / " + GroupedNumber(transfer.Size());
  int percent = transfer.Size() > 0 ? static_cast<int>(static_cast<double>(transfer.Position()) * 100.0 /
                                                       static_cast<double>(transfer.Size()))
                                    : 0;
  row.progress = StringPrintf("%d%%", percent);
  if (transfer.State() == TTransferState::Transferring) {
    double speed = transfer.BytesPerSecond();
    row.remaining = RemainingTimeText(transfer.Size() - transfer.Position(), speed);
    row.speed = StringPrintf("%1.1f", speed / 1024.0);
  }
  return row;
}

std::string AddressText(uint32_t network_order, int port) {
  return net::TNetAddress::FromIpv4(network_order).ToText() + ":" + std::to_string(port);
}

}  // namespace

TTransferRow ReceiveRow(const TReceiveTransfer& receive, const TPreferences& preferences) {
  TTransferRow row = CommonRow(receive);
  row.file_name =
      receive.FilePath().empty() ? receive.OfferedName() : cp932::FromUtf8(receive.FilePath().filename().string());
  std::optional<int> left = receive.ResumeSecondsLeft();
  if (left) row.task += StringPrintf(Sjis("(残り%d秒)"), *left);
  row.address = AddressText(NetworkAddress(receive.Address()), receive.Port());
  row.folder = cp932::FromUtf8(receive.Folder().string());
  return row;
}

TTransferRow SendRow(const TSendTransfer& send) {
  TTransferRow row = CommonRow(send);
  row.file_name = cp932::FromUtf8(send.DisplayName());
  if (send.ListenPort() >= 0) row.address = AddressText(send.OfferAddress(), send.ListenPort());
  return row;
}

std::string GroupedNumber(int64_t value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return value < 0 ? "-" + out : out;
}

std::string RemainingTimeText(int64_t bytes_left, double bytes_per_second) {
  if (bytes_per_second < kSlowestSpeed) return {};
  int64_t seconds = static_cast<int64_t>(static_cast<double>(bytes_left) / bytes_per_second);
  int64_t hours = seconds / 3600;
  int minutes = static_cast<int>(seconds / 60 % 60);
  int rest = static_cast<int>(seconds % 60);
  if (hours == 0) return StringPrintf("%d:%02d", minutes, rest);
  return StringPrintf("%lld:%02d:%02d", static_cast<long long>(hours), minutes, rest);
}

std::string TitleCounts(int receiving, int sending) {
  if (receiving <= 0 && sending <= 0) return {};
  return StringPrintf(Sjis(" [受%d/送%d]"), receiving, sending);
}

}  // namespace zeph
