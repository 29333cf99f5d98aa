#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The member information window's file: one line per member, and the
// request that fills the details in again.
namespace zeph {

class TChannel;
class TMemberList;

// The name the save dialog proposes: characters no file name may hold
// become "_" (double-byte characters are kept whole), then "-members.txt".
std::string MemberExportFileName(std::string_view channel);

// One line per member in the window's order: nick, login name, address,
// server, real name, TAB-separated, each ending in CR LF. The server comes
// before the real name although the window shows it after.
std::string MemberExportText(const TMemberList& members);

// Writes the text through a temporary file renamed over the old one, so a
// failed write leaves any old file whole. False when nothing was written.
bool WriteMemberExport(const std::filesystem::path& path, const TMemberList& members);

// "更新": ask the server for the members' details again (WHO for the
// channel). Only for a joined channel of a logged-in unit.
void RefreshMemberDetails(TChannel& channel);

}  // namespace zeph
