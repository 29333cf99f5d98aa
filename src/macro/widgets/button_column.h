#pragma once

#include <QVBoxLayout>
#include <functional>
#include <initializer_list>
#include <utility>

namespace zeph {
// The column of push buttons beside an editor's list, top to bottom, with
// the free space below them.
using TButtonAction = std::pair<const char*, std::function<void()>>;
QVBoxLayout* ButtonColumn(QWidget* owner, std::initializer_list<TButtonAction> buttons);
}  // namespace zeph
