#pragma once

// Lists shown through a model (widgets::TModelListBox), read and chosen by their texts.

#include <QAbstractItemView>
#include <QStringList>
#include <vector>

namespace testsupport {

inline QStringList ListTexts(const QAbstractItemModel *m, const QModelIndex &root = {})
{
    QStringList out;
    for (int r = 0; m && r < m->rowCount(root); ++r)
        out << m->index(r, 0, root).data().toString();
    return out;
}

inline QStringList ListTexts(const QAbstractItemView *view)
{
    return ListTexts(view->model(), view->rootIndex());
}

// Rows whose text is exactly text.
inline std::vector<int> RowsWithText(const QAbstractItemView *view, const QString &text)
{
    std::vector<int> rows;
    const QStringList texts = ListTexts(view);
    for (auto r = texts.indexOf(text); r >= 0; r = texts.indexOf(text, r + 1))
        rows.push_back(int(r));
    return rows;
}

// Text of the current entry; empty for none.
inline QString CurrentText(const QAbstractItemView *view)
{
    return view->currentIndex().data().toString();
}

} // namespace testsupport
