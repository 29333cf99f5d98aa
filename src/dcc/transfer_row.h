#pragma once

#include <cstdint>
#include <string>

#include "dcc/receive_transfer.h"
#include "dcc/send_transfer.h"

// The columns of a transfer in the DCC window, as internal text, so that
// the window only shows them.
namespace zeph {

struct TPreferences;

struct TTransferRow {
  std::string nick;       // "送信元" / "送信先"
  std::string file_name;  // "ファイル名"
  std::string task;       // "タスク": the state, the error text, the resume wait
  std::string count;      // "カウント": "1,024 / 2,048"
  std::string progress;   // "状況": "50%"
  std::string remaining;  // "残り時間": while data flows
  std::string speed;      // "速度": KB per second while data flows
  std::string address;    // "アドレス": "host:port"
  std::string folder;     // "パス": receives only

  bool operator==(const TTransferRow&) const = default;
};

TTransferRow ReceiveRow(const TReceiveTransfer& receive, const TPreferences& preferences);
TTransferRow SendRow(const TSendTransfer& send);

// A count with "," every three digits.
std::string GroupedNumber(int64_t value);
// "%d:%02d" below an hour, "%d:%02d:%02d" from an hour on; empty when the
// speed is too small to tell.
std::string RemainingTimeText(int64_t bytes_left, double bytes_per_second);
// " [受%d/送%d]" for the window title while anything is flowing, else
// empty.
std::string TitleCounts(int receiving, int sending);

}  // namespace zeph
