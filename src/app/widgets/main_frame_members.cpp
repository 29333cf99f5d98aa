// The member list's context menu: information, talk, invitation, operator
// and voice, kick and ban, CTCP queries, DCC, the address, and adding the
// member to the mask lists. Every item finds its unit and channel again by
// id when chosen; the members are taken by nick.
#include <QAction>
#include <QDateTime>
#include <QListView>
#include <QMenu>

#include "app/application.h"
#include "app/widgets/main_frame.h"
#include "app/widgets/member_list_model.h"
#include "engine/channel.h"
#include "engine/mask.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

}  // namespace

std::vector<std::string> CMainFrame::SelectedMembers(TNodeId channel) const {
  std::vector<std::string> nicks;
  auto view = member_views_.find(channel);
  auto model = member_models_.find(channel);
  if (view == member_views_.end() || !view->second || model == member_models_.end()) return nicks;
  for (const QModelIndex& index : view->second->selectionModel()->selectedRows())
    if (const TMember* member = model->second->MemberAt(index.row())) nicks.push_back(member->nick);
  return nicks;
}

void CMainFrame::ShowMemberMenu(TNodeId channel_id, const QPoint& screen) {
  TSelectionIds ids = SelectedIds(world_);
  if (ids.target != channel_id) return;
  ShowMemberMenuFor(ids, SelectedMembers(channel_id), screen);
}

// The same menu on a nick in a channel's log.
void CMainFrame::ShowNickMenu(TLogView& view, QPoint screen) {
  TSelectionIds ids = SelectedIds(world_);
  TChannel* channel = TargetOf(world_, ids);
  if (!channel || !channel->IsChannel() || !channel->Members().FindMember(view.MenuText())) return;
  ShowMemberMenuFor(ids, {view.MenuText()}, screen);
}

void CMainFrame::ShowMemberMenuFor(TSelectionIds ids, const std::vector<std::string>& nicks, const QPoint& screen) {
  if (nicks.empty()) return;
  // Runs `act` for the unit and channel if both are still there.
  auto with = [this, ids](auto act) {
    return [this, ids, act] {
      TUnit* unit = UnitOf(world_, ids);
      TChannel* channel = TargetOf(world_, ids);
      if (unit && channel) act(*unit, *channel);
    };
  };
  auto each = [nicks](auto act) {
    return [nicks, act](TUnit& unit, TChannel& channel) {
      for (const std::string& nick : nicks) act(unit, channel, nick);
    };
  };
  const std::string first = nicks.front();

  QMenu menu(this);
  menu.addAction(Q("ユーザ情報(&W)..."), this, with(each([](TUnit& u, TChannel&, const std::string& n) {
                   if (u.IsLoggedIn()) u.SendWhois(n);
                 })));
  menu.addAction(Q("トーク(&T)"), this, with([this, first](TUnit& unit, TChannel&) {
                   TChannel* talk = unit.FindChannel(first);
                   if (!talk) talk = world_.CreateTarget(unit, NewChannelConfig(first, false), TTargetKind::Talk, true);
                   if (talk) world_.Select(&unit, talk);
                 }));
  menu.addAction(Q("招待(&I)..."), this, [this, ids, nicks] {
    QString channel;
    if (!AskText(Q("招待 - "), Q("招待するチャンネルを入力してください"), &channel)) return;
    if (TUnit* unit = UnitOf(world_, ids); unit && unit->IsLoggedIn())
      for (const std::string& nick : nicks) unit->SendInvite(nick, FromQString(channel));
  });
  menu.addSeparator();
  auto mode = [with, nicks](char letter, bool give) {
    return with([nicks, letter, give](TUnit& unit, TChannel& channel) {
      if (!unit.IsLoggedIn()) return;
      unit.SendMassMode(channel.Name(), letter, give ? std::vector<std::string>() : nicks,
                        give ? nicks : std::vector<std::string>());
    });
  };
  menu.addAction(Q("+o オペレータ権限を与える(&O)"), this, mode('o', true));
  menu.addAction(Q("-o オペレータ権限を奪う(&D)"), this, mode('o', false));
  QMenu* op = menu.addMenu(Q("オペレータ(&P)"));
  op->addAction(Q("追い出す(&K)..."), this, [this, ids, nicks, first] {
    const TPreferences& prefs = world_.Preferences();
    QString reason = ToQString(prefs.KickMessage);
    if (prefs.PromptOnKick &&
        !AskText(ToQString(first) + Q(" から追い出す - "), Q("メッセージを入力してください"), &reason))
      return;
    TUnit* unit = UnitOf(world_, ids);
    TChannel* channel = TargetOf(world_, ids);
    if (unit && channel && unit->IsLoggedIn())
      for (const std::string& nick : nicks) unit->SendKick(channel->Name(), nick, FromQString(reason), 2);
  });
  op->addAction(Q("バンリストに追加(&B)..."), this, with([this, nicks](TUnit& unit, TChannel& channel) {
                  std::vector<std::string> masks;
                  for (const std::string& nick : nicks)
                    if (const TMember* m = channel.Members().FindMember(nick))
                      masks.push_back(BuildMask(m->nick, m->user, m->host, MaskOptionsOf(world_.Preferences())));
                  if (unit.IsLoggedIn() && !masks.empty()) unit.SendMassMode(channel.Name(), 'b', {}, masks);
                }));
  op->addAction(Q("+v 発言権を与える(&V)"), this, mode('v', true));
  op->addAction(Q("-v 発言権を奪う(&Q)"), this, mode('v', false));
  QMenu* ctcp = menu.addMenu(Q("CTCP(&C)"));
  struct TQuery {
    const char* text;
    const char* query;
  };
  for (const TQuery& q : {TQuery{"ラグ計測 Ping(&P)", "PING"}, TQuery{"マシン時計 Time(&T)", "TIME"},
                          TQuery{"ソフトの種類 Version(&V)", "VERSION"}, TQuery{"ユーザ情報 Userinfo(&U)", "USERINFO"},
                          TQuery{"対応CTCP Clientinfo(&C)", "CLIENTINFO"}}) {
    std::string query = q.query;
    ctcp->addAction(Q(q.text), this, with(each([query](TUnit& u, TChannel&, const std::string& n) {
                      if (!u.IsLoggedIn()) return;
                      std::string text = query;
                      if (query == "PING") text += " " + std::to_string(QDateTime::currentSecsSinceEpoch());
                      u.SendCtcpQuery(n, text);
                    })));
  }
  AddDccItems(menu.addMenu(Q("DCC(&D)")), ids, nicks);
  menu.addAction(Q("アドレスをコピー(&A)"), this, with([this, first](TUnit&, TChannel& channel) {
                   if (const TMember* m = channel.Members().FindMember(first))
                     PutOnClipboard(m->nick + "!" + m->user + "@" + m->host);
                 }));
  QMenu* add = menu.addMenu(Q("登録(&R)"));
  // Adds the first member's mask, as the user edits it, to a list.
  auto register_in = [this, ids, first](std::function<void(const std::string&)> store) {
    return [this, ids, first, store] {
      TChannel* channel = TargetOf(world_, ids);
      const TMember* m = channel ? channel->Members().FindMember(first) : nullptr;
      if (!m) return;
      QString mask = ToQString(BuildMask(m->nick, m->user, m->host, MaskOptionsOf(world_.Preferences())));
      if (!AskText(Q("マスクを登録 - ") + ToQString(first), Q("マスクを入力してください"), &mask)) return;
      store(FromQString(mask));
    };
  };
  add->addAction(Q("自動オペレータに登録(&O)..."), this, register_in([this](const std::string& mask) {
                   world_.auto_op_masks.push_back(mask);
                   world_.SaveTree();
                 }));
  const char* keys = "ABCDE";
  for (int i = 0; i < kUserGroupCount; ++i) {
    QString text = ToQString(world_.Preferences().groups[i].name) + Q("に登録(&") + QChar(keys[i]) + Q(")...");
    add->addAction(text, this, register_in([this, i](const std::string& mask) {
                     world_.Preferences().groups[i].masks.push_back(mask);
                     app_.SavePreferences();
                     world_.ApplyPreferences();
                   }));
  }
  add->addAction(Q("自分に登録(&S)..."), this, register_in([this](const std::string& mask) {
                   world_.Preferences().self_masks.push_back(mask);
                   app_.SavePreferences();
                   world_.ApplyPreferences();
                 }));
  add->addAction(Q("無視リストに登録(&G)..."), this, register_in([this](const std::string& mask) {
                   world_.ignore_masks.push_back(mask);
                   world_.SaveTree();
                 }));
  AddPopupItems(&menu, false, ids, nicks);
  menu.exec(screen);
}

}  // namespace zeph
