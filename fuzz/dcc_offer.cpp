// DCC queries as peers send them: whatever the argument, what we write of
// the parsed message carries no control byte, goes through CTCP framing and
// reads back to the same message; and the names a SEND yields on disk, and
// the nick folder, stay single names inside the receive folder.
// Input: the argument of a CTCP query DCC.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "settings/preferences.h"
#include "dcc/dcc_message.h"
#include "dcc/offer_rules.h"
#include "dcc/received_file_name.h"
#include "platform/file_names.h"
#include "protocol/ctcp_frame.h"

using namespace zeph;
namespace fs = std::filesystem;

namespace {

const fs::path kRoot = "/zeph-fuzz/dcc";

void CheckReadsBack(const TDccQuery& query) {
  std::string text = DccQueryText(query);
  for (char c : text) {
    if (IsControlByte(static_cast<unsigned char>(c))) abort();
  }
  std::optional<TCtcpFrame> frame = ParseCtcpFrame(kCtcpDelimiter + text + kCtcpDelimiter);
  if (!frame || frame->command != "DCC") abort();
  if (ParseDccQuery(frame->argument) != query) abort();
}

void CheckSingleName(const fs::path& folder, const std::string& name) {
  std::optional<fs::path> path = FileInFolder(folder, name);
  if (!path || path->parent_path() != folder || name.front() == '.') abort();
}

void CheckDiskNames(const std::string& offered) {
  std::string cleaned = CleanReceivedName(offered);
  for (int number : {kNoNumber, 0, 7, kLastIncompleteNumber}) {
    std::string incomplete = IncompleteFileName(cleaned, number);
    CheckSingleName(kRoot, incomplete);
    if (!IsIncompleteFileOf(incomplete, cleaned)) abort();
  }
  for (int number : {kNoNumber, 0, kLastFinalNumber}) CheckSingleName(kRoot, FinalFileName(cleaned, number));

  TPreferences prefs;
  prefs.DCCRootDir = "/zeph-fuzz/dcc";
  prefs.ReceiveInNickFolder = true;
  fs::path folder = ReceiveFolder(prefs, offered);  // the name as a nick
  if (folder.parent_path() != kRoot) abort();
  CheckSingleName(kRoot, folder.filename().string());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view argument(reinterpret_cast<const char*>(data), size);
  TDccQuery query = ParseDccQuery(argument);
  CheckReadsBack(query);
  CheckDiskNames(std::string(argument));
  if (const auto* send = std::get_if<TDccSend>(&query)) {
    CheckOffer(*send);
    CheckDiskNames(send->file_name);
    CheckReadsBack(FileOffer(send->file_name, send->address, send->port, send->size, true));
    CheckReadsBack(FileOffer(send->file_name, send->address, send->port, send->size, false));
  }
  return 0;
}
