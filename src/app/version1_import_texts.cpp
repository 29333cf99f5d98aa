#include "app/version1_import_texts.h"

#include "platform/sjis.h"

namespace zeph {

const TImportDialogTexts& ImportDialogTexts() {
  static const TImportDialogTexts texts{
      .choice = Sjis("Zephlora1 の設定を引き継ぐ"),
      .caption = Sjis("設定の引き継ぎ"),
      .found = Sjis("Zephlora1 の設定が見つかりました\n%s\nこの設定を引き継ぎますか？"),
      .import = Sjis("引き継ぐ"),
      .other_place = Sjis("他の場所を指定する"),
      .back = Sjis("戻る"),
      .choose_folder = Sjis("Zephlora1 をインストールしたフォルダを選択してください"),
      .not_found = Sjis("Zephlora1 の設定ファイルが見つかりません\nもう一度引き継ぎ元を指定しますか？"),
      .done = Sjis("設定を引き継ぎました (コピーしたファイル: %d)"),
      .failed_copies = Sjis("%d 個のファイルをコピーできませんでした"),
  };
  return texts;
}

}  // namespace zeph
