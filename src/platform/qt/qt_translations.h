#pragma once

class QCoreApplication;
class QTranslator;

namespace zeph {
// Qt's own texts (the standard dialog buttons: OK, キャンセル, 閉じる …) in
// Japanese, from the translations Qt ships. Without them every standard
// button of the program's dialogs would speak English. The translator
// installed (owned by the application), or null when Qt's is missing.
QTranslator* InstallQtJapanese(QCoreApplication& app);
}  // namespace zeph
