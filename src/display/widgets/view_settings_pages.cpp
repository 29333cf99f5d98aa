#include "display/widgets/view_settings_pages.h"

#include "display/widgets/color_pairs_page.h"
#include "display/widgets/log_settings_page.h"
#include "display/widgets/theme_page.h"
#include "display/widgets/working_view.h"
#include "settings/preferences.h"

namespace zeph {

namespace {

const TPreferences& DefaultPreviewPreferences() {
  static const TPreferences preferences;
  return preferences;
}

}  // namespace

TViewSettingsPages::TViewSettingsPages(TViewSettingsPagesContext context)
    : context_(std::move(context)),
      working_(std::make_unique<TWorkingView>(*context_.live, context_.folders,
                                              context_.preferences ? *context_.preferences
                                                                   : DefaultPreviewPreferences())) {
  theme_ = new TThemePage(*working_);
  log_ = new TLogSettingsPage(*working_);
  tree_ = CreateTreeSettingsPage(*working_);
  list_ = CreateMemberListSettingsPage(*working_);
  input_ = CreateInputSettingsPage(*working_);
}

TViewSettingsPages::~TViewSettingsPages() {
  // The pages point at the working copy, so they go with it, whether a
  // dialog still shows them or not.
  for (QWidget* page : {static_cast<QWidget*>(theme_), static_cast<QWidget*>(log_), static_cast<QWidget*>(tree_),
                        static_cast<QWidget*>(list_), static_cast<QWidget*>(input_)})
    delete page;
}

std::vector<TViewSettingsPages::TPage> TViewSettingsPages::Pages() const {
  return {{QString::fromUtf8("表示テーマ"), theme_},
          {QString::fromUtf8("ログ"), log_},
          {QString::fromUtf8("サーバツリー"), tree_},
          {QString::fromUtf8("メンバリスト"), list_},
          {QString::fromUtf8("入力テキスト"), input_}};
}

TViewSettings& TViewSettingsPages::Working() { return working_->Settings(); }

bool TViewSettingsPages::Apply() {
  *context_.live = working_->Settings();
  bool saved = context_.live->SaveViewSettings(context_.view_file);
  if (context_.applied) context_.applied();
  return saved;
}

std::unique_ptr<TViewSettingsPages> CreateViewSettingsPages(TViewSettingsPagesContext context) {
  return std::make_unique<TViewSettingsPages>(std::move(context));
}

}  // namespace zeph
