#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/widgets/column_widths.h"
#include "app/widgets/preference_pages.h"
#include "platform/qt/qt_text.h"
#include "settings/preferences.h"

namespace zeph {
namespace {

struct TSoundEvent {
  const char* text;
  bool TPreferences::*enable;
  std::string TPreferences::*file;
};

using P = TPreferences;
constexpr TSoundEvent kSoundEvents[] = {
    {"ログイン", &P::EnableLogInSound, &P::LogInSoundFile},
    {"切断", &P::EnableDisconnectSound, &P::DisconnectSoundFile},
    {"キック", &P::EnableKickSound, &P::KickSoundFile},
    {"招待", &P::EnableInviteSound, &P::InviteSoundFile},
    {"トーク開始", &P::EnableTalkSound, &P::TalkSoundFile},
    {"DCCチャット要求", &P::EnableDCCChatSound, &P::DCCChatSoundFile},
    {"DCC受信要求", &P::EnableDCCReceiveSound, &P::DCCReceiveSoundFile},
    {"DCC受信完了", &P::EnableDCCReceiveCompleteSound, &P::DCCReceiveCompleteSoundFile},
    {"DCC受信失敗", &P::EnableDCCReceiveFailSound, &P::DCCReceiveFailSoundFile},
    {"DCC送信完了", &P::EnableDCCSendCompleteSound, &P::DCCSendCompleteSoundFile},
    {"DCC送信失敗", &P::EnableDCCSendFailSound, &P::DCCSendFailSoundFile},
    {"キーワード", &P::EnableKeywordSound, &P::KeywordSoundFile},
    {"チャンネルの発言", &P::EnableChannelMessageSound, &P::ChannelMessageSoundFile},
    {"トークの発言", &P::EnableTalkMessageSound, &P::TalkMessageSoundFile},
    {"DCCチャットの発言", &P::EnableDCCChatMessageSound, &P::DCCChatMessageSoundFile},
};

// Opens where the event's file is, or in the profile's sound folder.
QString ChooseSoundFile(const TSettingsServices& services, QWidget* parent, const QString& current,
                        const QString& sound_folder) {
  if (services.choose_sound_file) return services.choose_sound_file(parent, current);
  QString start = current.isEmpty() ? sound_folder : QFileInfo(current).path();
  return QFileDialog::getOpenFileName(parent, Q("サウンドファイルを変更"), start, Q("wavファイル (*.wav)"));
}

QTreeWidget* EventList(const TPreferences& prefs, std::vector<int>& columns, QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(QStringLiteral("SoundList"));
  list->setRootIsDecorated(false);
  list->setHeaderLabels({Q("イベント"), Q("ファイル")});
  for (const TSoundEvent& event : kSoundEvents) {
    auto* item = new QTreeWidgetItem(list, {Q(event.text), ToQString(prefs.*event.file)});
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, prefs.*event.enable ? Qt::Checked : Qt::Unchecked);
  }
  list->header()->setStretchLastSection(false);
  KeepColumnWidths(*list->header(), columns);
  list->setCurrentItem(list->topLevelItem(0));
  return list;
}

}  // namespace

QWidget* SoundPage(TPreferences& prefs, const TSettingsServices& services, const QString& sound_folder,
                   std::vector<int>& columns, TApplySteps& apply) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* mute = new QCheckBox(Q("離席中は音を鳴らさない(&M)"), page);
  mute->setObjectName(QStringLiteral("MuteOnAway"));
  mute->setChecked(prefs.MuteOnAway);
  layout->addWidget(mute);
  QTreeWidget* list = EventList(prefs, columns, page);
  layout->addWidget(list, 1);

  auto* buttons = new QHBoxLayout;
  auto* play = new QPushButton(Q("再生(&P)"), page);
  play->setObjectName(QStringLiteral("PlaySound"));
  auto* change = new QPushButton(Q("変更(&C)..."), page);
  change->setObjectName(QStringLiteral("ChangeSound"));
  buttons->addStretch(1);
  buttons->addWidget(play);
  buttons->addWidget(change);
  layout->addLayout(buttons);

  auto update_buttons = [list, play, change] {
    QTreeWidgetItem* item = list->currentItem();
    play->setEnabled(item && !item->text(1).isEmpty());
    change->setEnabled(item != nullptr);
  };
  update_buttons();
  QObject::connect(list, &QTreeWidget::currentItemChanged, page, update_buttons);
  QObject::connect(play, &QPushButton::clicked, page, [services, list] {
    QTreeWidgetItem* item = list->currentItem();
    if (item && services.play_sound) services.play_sound(FromQString(item->text(1)));
  });
  QObject::connect(change, &QPushButton::clicked, page, [services, sound_folder, list, page, update_buttons] {
    QTreeWidgetItem* item = list->currentItem();
    if (!item) return;
    QString chosen = ChooseSoundFile(services, page, item->text(1), sound_folder);
    if (chosen.isEmpty()) return;
    item->setText(1, chosen);
    update_buttons();
  });
  QObject::connect(list, &QTreeWidget::itemDoubleClicked, change, &QPushButton::click);

  apply.push_back([&prefs, mute, list] {
    prefs.MuteOnAway = mute->isChecked();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = list->topLevelItem(i);
      prefs.*kSoundEvents[i].enable = item->checkState(0) == Qt::Checked;
      prefs.*kSoundEvents[i].file = FromQString(item->text(1));
    }
  });
  return page;
}

}  // namespace zeph
