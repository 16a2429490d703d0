#pragma once

// Lists shown through a model (widgets::TModelListBox), read and chosen by their texts as
// the tests of the item-widget lists do.

#include <QAbstractItemView>
#include <QStringList>
#include <vector>

namespace testsupport {

inline QStringList ListTexts(const QAbstractItemView *view)
{
    QStringList out;
    const QAbstractItemModel *m = view->model();
    for (int r = 0; m && r < m->rowCount(view->rootIndex()); ++r)
        out << m->index(r, 0, view->rootIndex()).data().toString();
    return out;
}

// Rows whose text is exactly text.
inline std::vector<int> RowsWithText(const QAbstractItemView *view, const QString &text)
{
    std::vector<int> rows;
    const QStringList texts = ListTexts(view);
    for (int r = 0; r < texts.size(); ++r)
        if (texts[r] == text)
            rows.push_back(r);
    return rows;
}

// Text of the current entry; empty for none.
inline QString CurrentText(const QAbstractItemView *view)
{
    return view->currentIndex().data().toString();
}

} // namespace testsupport
