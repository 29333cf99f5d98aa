// "設定": a tree of pages over the preferences, the message formats and
// the log files. The view and theme pages have their place in the tree and
// come with the view settings.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/widgets/ok_cancel.h"
#include "app/widgets/preference_keys.h"
#include "app/widgets/preference_pages.h"
#include "app/widgets/settings_dialogs.h"
#include "display/widgets/view_settings_pages.h"
#include "platform/qt/qt_text.h"
#include "settings/ini_writer.h"
#include "settings/preference_file.h"

namespace zeph {
namespace {

struct TPageName {
  const char* section;
  const char* title;
};

// The pages in the tree, by the section of preference.ini they edit.
constexpr TPageName kPageNames[] = {
    {"Connection", "接続"},   {"Event", "イベント"},  {"Interface", "操作"},     {"Action", "動作"},
    {"Window", "ウィンドウ"}, {"Layout", "レイアウト"}, {"Keyword", "キーワード"}, {"Log", "ログファイル"},
    {"Sound", "サウンド"},    {"DCC", "DCC"},        {"UserInfo", "ユーザ情報"}, {"Detail", "詳細"},
};

// A choice list shows its entries without the access-key marks they carry
// as the program's texts.
QString WithoutMnemonic(QString text) {
  text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
  return text.remove(u'&');
}

QString LabelOf(const TPreferenceKey* entry, const char* key) {
  return entry ? Q(entry->label) : QString::fromLatin1(key);
}

// The section's keys in the order of the key table.
std::vector<const TField<TPreferences>*> ShownFields(const TPreferenceSection& section) {
  auto order = [](const TField<TPreferences>* field) -> size_t {
    const TPreferenceKey* entry = FindPreferenceKey(field->key);
    return entry ? size_t(entry - PreferenceKeys().data()) : PreferenceKeys().size();
  };
  std::vector<const TField<TPreferences>*> fields;
  for (const TField<TPreferences>& field : section.fields) fields.push_back(&field);
  std::ranges::stable_sort(fields, {}, order);
  return fields;
}

QComboBox* ChoiceBox(std::span<const TKeyChoice> choices, int value) {
  auto* combo = new QComboBox;
  for (const TKeyChoice& choice : choices) combo->addItem(WithoutMnemonic(Q(choice.label)), choice.value);
  // A value the list lacks (written by hand or by a later version) stays
  // as it is unless the user picks another.
  if (combo->findData(value) < 0) combo->addItem(QString::number(value), value);
  combo->setCurrentIndex(combo->findData(value));
  return combo;
}

QSpinBox* NumberBox(TNumberRange range, int value) {
  auto* spin = new QSpinBox;
  // A stored value outside the sensible range widens it instead of being
  // clamped, so OK never changes a value the user did not touch.
  spin->setRange(std::min(range.min, value), std::max(range.max, value));
  spin->setValue(value);
  return spin;
}

// Keeps `targets` usable only while `source` (a check box or a choice
// list) holds `value`.
void EnableWhile(QWidget* source, int value, std::vector<QWidget*> targets) {
  auto set = [targets](bool on) {
    for (QWidget* target : targets) target->setEnabled(on);
  };
  if (auto* box = qobject_cast<QCheckBox*>(source)) {
    auto update = [box, value, set] { set(int(box->isChecked()) == value); };
    QObject::connect(box, &QCheckBox::toggled, box, update);
    update();
  } else if (auto* combo = qobject_cast<QComboBox*>(source)) {
    auto update = [combo, value, set] { set(combo->currentData().toInt() == value); };
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, update);
    update();
  }
}

// A form for the next keys of a page, in a titled box when they have a
// heading.
QFormLayout* NewForm(QVBoxLayout* page_layout, const char* heading) {
  QWidget* holder = heading ? new QGroupBox(Q(heading)) : new QWidget;
  auto* form = new QFormLayout(holder);
  if (!heading) form->setContentsMargins(0, 0, 0, 0);
  page_layout->addWidget(holder);
  return form;
}

// The editor of one key, added to `form`; `apply` gets the step that
// writes it back.
QWidget* AddEditor(QFormLayout* form, const TField<TPreferences>& field, const TPreferenceKey* entry,
                   TPreferences& prefs, std::vector<std::function<void()>>& apply) {
  QString label = LabelOf(entry, field.key);
  QWidget* editor = nullptr;
  std::visit(
      [&](auto member) {
        using V = std::remove_cvref_t<decltype(prefs.*member)>;
        if constexpr (std::is_same_v<V, bool>) {
          auto* box = new QCheckBox(label);
          box->setChecked(prefs.*member);
          form->addRow(box);
          apply.push_back([box, &prefs, member] { prefs.*member = box->isChecked(); });
          editor = box;
        } else if constexpr (std::is_same_v<V, int>) {
          if (entry && !entry->choices.empty()) {
            auto* combo = ChoiceBox(entry->choices, prefs.*member);
            apply.push_back([combo, &prefs, member] { prefs.*member = combo->currentData().toInt(); });
            editor = combo;
          } else {
            auto* spin = NumberBox(entry ? entry->range : TNumberRange{INT_MIN, INT_MAX}, prefs.*member);
            apply.push_back([spin, &prefs, member] { prefs.*member = spin->value(); });
            editor = spin;
          }
          form->addRow(label, editor);
        } else {
          auto* edit = new QLineEdit(ToQString(prefs.*member));
          form->addRow(label, edit);
          apply.push_back([edit, &prefs, member] { prefs.*member = FromQString(edit->text()); });
          editor = edit;
        }
      },
      field.member);
  editor->setObjectName(QString::fromLatin1(field.key));
  return editor;
}

// One editor per key of a section, grouped under the headings of the key
// table; `apply` writes them back.
QWidget* FieldPage(const TPreferenceSection& section, TPreferences& prefs, std::vector<std::function<void()>>& apply) {
  auto* scroll = new QScrollArea;
  scroll->setWidgetResizable(true);
  auto* page = new QWidget;
  auto* page_layout = new QVBoxLayout(page);
  QFormLayout* form = nullptr;
  std::string_view heading;
  std::map<std::string_view, QWidget*> editors;
  for (const TField<TPreferences>* field : ShownFields(section)) {
    const TPreferenceKey* entry = FindPreferenceKey(field->key);
    const char* group = entry ? entry->group : nullptr;
    if (!form || std::string_view(group ? group : "") != heading) {
      form = NewForm(page_layout, group);
      heading = group ? group : "";
    }
    editors[field->key] = AddEditor(form, *field, entry, prefs, apply);
  }
  for (auto [key, editor] : editors) {
    const TPreferenceKey* entry = FindPreferenceKey(key);
    if (!entry || !entry->enabled_by || !editors.contains(entry->enabled_by)) continue;
    std::vector<QWidget*> targets{editor};
    auto* form_of_editor = qobject_cast<QFormLayout*>(editor->parentWidget()->layout());
    if (QWidget* label = form_of_editor ? form_of_editor->labelForField(editor) : nullptr) targets.push_back(label);
    EnableWhile(editors[entry->enabled_by], entry->enabled_when, targets);
  }
  page_layout->addStretch(1);
  scroll->setWidget(page);
  return scroll;
}

// The formats as section Format holds them, to see whether they changed.
std::string FormatText(const TMessageFormat& formats) {
  TIniWriter writer;
  formats.Save(writer);
  return writer.Text();
}

// The page of a section: laid out by hand, or one box per key.
QWidget* SectionPage(const TPreferenceSection& section, TPreferences& prefs, TApplication& app,
                     const TSettingsServices& services, std::vector<std::function<void()>>& apply) {
  std::string_view name = section.name;
  if (name == "Log") return LogFilePage(prefs, services, apply);
  if (name == "Sound")
    return SoundPage(prefs, services, QString::fromStdString(app.Folders().macro_sound.string()),
                     app.WindowLayout().preference_sound_header, apply);
  return FieldPage(section, prefs, apply);
}

}  // namespace

bool RunSettingsDialog(QWidget* parent, TApplication& app, TSettingsServices services) {
  TPreferences& prefs = app.Preferences();
  TPreferences edited = prefs;
  TMessageFormat formats = app.Formats();
  std::vector<std::function<void()>> apply;

  QDialog dialog(parent);
  dialog.setWindowTitle(Q("設定"));
  dialog.resize(720, 520);
  auto* layout = new QVBoxLayout(&dialog);
  auto* splitter = new QSplitter(&dialog);
  auto* tree = new QTreeWidget(splitter);
  tree->setObjectName(QStringLiteral("PageTree"));
  tree->setHeaderHidden(true);
  auto* pages = new QStackedWidget(splitter);
  splitter->setStretchFactor(1, 1);
  layout->addWidget(splitter, 1);
  auto add_page = [&](QTreeWidgetItem* holder, const QString& title, QWidget* page) {
    auto* item = holder ? new QTreeWidgetItem(holder, {title}) : new QTreeWidgetItem(tree, {title});
    item->setData(0, Qt::UserRole, pages->addWidget(page));
    return item;
  };
  std::vector<TPreferenceSection> sections = PreferenceSections();
  for (const TPageName& name : kPageNames) {
    for (const TPreferenceSection& section : sections)
      if (std::string_view(section.name) == name.section)
        add_page(nullptr, Q(name.title), SectionPage(section, edited, app, services, apply));
  }
  // The look pages work on their own copy of the view settings; it carries
  // the live formats so that a theme loaded with its formats is seen.
  TViewSettings& live_view = app.ViewSettings();
  live_view.formats = app.Formats();
  std::unique_ptr<TViewSettingsPages> look =
      CreateViewSettingsPages({&live_view, app.ThemeFolders(), app.ViewFile(), &edited, services.view_applied});
  std::vector<TViewSettingsPages::TPage> look_pages = look->Pages();
  // "表示" opens on the theme page; the other look pages and the formats
  // come under it.
  QTreeWidgetItem* view = add_page(nullptr, Q("表示"), look_pages.front().widget);
  for (size_t i = 1; i < look_pages.size(); ++i) add_page(view, look_pages[i].title, look_pages[i].widget);
  add_page(view, Q("接頭辞とタイトル"), PrefixPage(formats, apply));
  add_page(view, Q("メッセージの書式"), KindsPage(formats, app.WindowLayout().preference_format_header, apply));
  view->setExpanded(true);
  QObject::connect(tree, &QTreeWidget::currentItemChanged, pages, [pages](QTreeWidgetItem* item) {
    if (item) pages->setCurrentIndex(item->data(0, Qt::UserRole).toInt());
  });
  tree->setCurrentItem(tree->topLevelItem(0));
  layout->addWidget(OkCancel(&dialog));
  splitter->setSizes({170, 550});
  if (dialog.exec() != QDialog::Accepted) return false;
  for (const auto& step : apply) step();
  prefs = edited;
  // A theme loaded with its formats wins over the formats page unless the
  // page was changed too.
  std::string opened = FormatText(app.Formats());
  if (FormatText(look->Working().formats) == opened || FormatText(formats) != opened)
    look->Working().formats = formats;
  app.Formats() = look->Working().formats;
  app.SavePreferences();
  look->Apply();  // writes view.ini with the formats
  app.World().ApplyPreferences();
  return true;
}

}  // namespace zeph
