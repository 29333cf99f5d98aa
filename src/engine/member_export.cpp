#include "engine/member_export.h"

#include "display/saved_log.h"
#include "engine/channel.h"
#include "engine/member_list.h"
#include "engine/unit.h"
#include "platform/files.h"

namespace zeph {

std::string MemberExportFileName(std::string_view channel) { return SafeFileNamePart(channel) + "-members.txt"; }

std::string MemberExportText(const TMemberList& members) {
  std::string text;
  for (const TMember* member : members.DetailOrder()) {
    text += member->nick + '\t' + member->user + '\t' + member->host + '\t' + member->info1 + '\t' + member->info2 +
            "\r\n";
  }
  return text;
}

bool WriteMemberExport(const std::filesystem::path& path, const TMemberList& members) {
  TAtomicFile file;
  if (!file.Open(path, TFilePrivacy::Shared)) return false;
  file.Write(MemberExportText(members));
  return file.Commit();
}

void RefreshMemberDetails(TChannel& channel) {
  TUnit& unit = channel.Unit();
  if (!unit.IsLoggedIn() || !channel.IsChannel() || !channel.IsJoined()) return;
  unit.SendCommand("WHO", channel.WireName(), std::string(), 2, 0);
}

}  // namespace zeph
