#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/widgets/preference_pages.h"
#include "platform/qt/qt_text.h"
#include "settings/preferences.h"

namespace zeph {
namespace {

struct TLogSwitch {
  const char* text;
  const char* enable_key;
  bool TPreferences::*enable;
  const char* pattern_key;
  std::string TPreferences::*pattern;
};

constexpr TLogSwitch kLogSwitches[] = {
    {"サーバ(&S)", "EnableUnitLog", &TPreferences::EnableUnitLog, "UnitLogFile", &TPreferences::UnitLogFile},
    {"チャンネル(&C)", "EnableChannelLog", &TPreferences::EnableChannelLog, "ChannelLogFile",
     &TPreferences::ChannelLogFile},
    {"トーク(&T)", "EnableTalkLog", &TPreferences::EnableTalkLog, "TalkLogFile", &TPreferences::TalkLogFile},
    {"DCCチャット(&D)", "EnableDCCChatLog", &TPreferences::EnableDCCChatLog, "DCCChatLogFile",
     &TPreferences::DCCChatLogFile},
    {"URL履歴(&U)", "EnableURLLog", &TPreferences::EnableURLLog, "URLLogFile", &TPreferences::URLLogFile},
};

QString ChooseFolder(const TSettingsServices& services, QWidget* parent, const QString& current) {
  if (services.choose_folder) return services.choose_folder(parent, current);
  return QFileDialog::getExistingDirectory(parent, Q("ログの保存場所を選択してください"), current);
}

}  // namespace

QWidget* LogFilePage(TPreferences& prefs, const TSettingsServices& services, TApplySteps& apply) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);

  auto* folder_row = new QHBoxLayout;
  auto* folder = new QLineEdit(ToQString(prefs.LogRootDir), page);
  folder->setObjectName(QStringLiteral("LogRootDir"));
  auto* folder_label = new QLabel(Q("保存場所(&L):"), page);
  folder_label->setBuddy(folder);
  auto* browse = new QPushButton(QStringLiteral("..."), page);
  browse->setObjectName(QStringLiteral("ChooseLogRootDir"));
  QObject::connect(browse, &QPushButton::clicked, page, [services, page, folder] {
    QString chosen = ChooseFolder(services, page, folder->text());
    if (!chosen.isEmpty()) folder->setText(chosen);
  });
  folder_row->addWidget(folder_label);
  folder_row->addWidget(folder, 1);
  folder_row->addWidget(browse);
  layout->addLayout(folder_row);
  apply.push_back([&prefs, folder] { prefs.LogRootDir = FromQString(folder->text()); });

  auto* kinds = new QGroupBox(Q("オン/オフ設定とファイル名"), page);
  auto* grid = new QGridLayout(kinds);
  int row = 0;
  for (const TLogSwitch& kind : kLogSwitches) {
    auto* enable = new QCheckBox(Q(kind.text), kinds);
    enable->setObjectName(QString::fromLatin1(kind.enable_key));
    enable->setChecked(prefs.*kind.enable);
    auto* pattern = new QLineEdit(ToQString(prefs.*kind.pattern), kinds);
    pattern->setObjectName(QString::fromLatin1(kind.pattern_key));
    grid->addWidget(enable, row, 0);
    grid->addWidget(pattern, row, 1);
    ++row;
    apply.push_back([&prefs, kind, enable, pattern] {
      prefs.*kind.enable = enable->isChecked();
      prefs.*kind.pattern = FromQString(pattern->text());
    });
  }
  grid->setColumnStretch(1, 1);
  layout->addWidget(kinds);

  auto* flush = new QCheckBox(Q("一定時間ごとに強制的にファイルに書き出す(&F)"), page);
  flush->setObjectName(QStringLiteral("ForceFlushLog"));
  flush->setChecked(prefs.ForceFlushLog);
  auto* interval = new QSpinBox(page);
  interval->setObjectName(QStringLiteral("FlushLogTime"));
  interval->setRange(0, 999999);
  interval->setValue(prefs.FlushLogTime);
  interval->setSuffix(Q(" 秒"));
  interval->setEnabled(flush->isChecked());
  QObject::connect(flush, &QCheckBox::toggled, interval, &QWidget::setEnabled);
  auto* interval_label = new QLabel(Q("書き出す間隔(&I):"), page);
  interval_label->setBuddy(interval);
  auto* interval_row = new QHBoxLayout;
  interval_row->addSpacing(20);
  interval_row->addWidget(interval_label);
  interval_row->addWidget(interval);
  interval_row->addStretch(1);
  layout->addWidget(flush);
  layout->addLayout(interval_row);
  layout->addStretch(1);
  apply.push_back([&prefs, flush, interval] {
    prefs.ForceFlushLog = flush->isChecked();
    prefs.FlushLogTime = interval->value();
  });
  return page;
}

}  // namespace zeph
