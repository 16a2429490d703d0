#include "widgets/list_text_width.h"

#include <QFontMetrics>
#include <QListWidget>

#include <algorithm>

namespace widgets {

int ListTextWidth(const QListWidget *list)
{
    constexpr int kMargin = 14;
    if (!list)
        return kMargin;
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(list->item(i)->text()) + kMargin);
    return widest + kMargin;
}

} // namespace widgets
