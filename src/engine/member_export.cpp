#include "engine/member_export.h"

#include "engine/channel.h"
#include "engine/member_list.h"
#include "engine/unit.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace zeph {

namespace {
bool IsForbiddenInFileName(char c) {
  return std::string_view(":<>\\/*?|\"").find(c) != std::string_view::npos;
}
}  // namespace

std::string MemberExportFileName(std::string_view channel) {
  std::string name;
  name.reserve(channel.size() + 12);
  for (size_t i = 0; i < channel.size(); ++i) {
    const char c = channel[i];
    if (IsSjisLead(static_cast<unsigned char>(c)) && i + 1 < channel.size()) {
      // A trail byte may be 0x5C or 0x7C; it belongs to its character.
      name += c;
      name += channel[++i];
      continue;
    }
    name += IsForbiddenInFileName(c) ? '_' : c;
  }
  return name + "-members.txt";
}

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
