#pragma once

#include <string_view>

// The states of a receive or send in the DCC window, with the codes the
// window and its menus go by.
namespace zeph {

enum class TTransferKind { Receive, Send };

enum class TTransferState {
  Waiting = 0,       // added, waiting for the user
  Failed = 1,        // the list shows the error text
  Stopped = 2,       // stopped by the user
  Queued = 3,        // to start when a slot is free
  Opening = 4,       // receive: connecting; send: file opened, starting to listen
  Negotiating = 5,   // receive: resume requested; send: listening, offer sent
  Transferring = 6,  // data flowing
  Complete = 7,
};

// States 4, 5 and 6 hold a socket and count against the limits.
bool IsActive(TTransferState state);

// The label of the state column, UTF-8 ("受信中", "送信完了", …).
std::string_view StateLabel(TTransferKind kind, TTransferState state);

}  // namespace zeph
