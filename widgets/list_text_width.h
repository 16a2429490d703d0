#pragma once

class QListWidget;

namespace widgets {

// Horizontal scroll width of a list box: the widest item text in the list's font plus 14,
// plus 14 once more; an empty list gives 14.
int ListTextWidth(const QListWidget *list);

} // namespace widgets
