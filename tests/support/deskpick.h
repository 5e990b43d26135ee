#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

// Opens the desk's list and clicks the item at position, as a user does.
inline void pickFromList(QComboBox *desk, int position)
{
    desk->showPopup();
    QAbstractItemView *list = desk->view();
    const QModelIndex item = list->model()->index(position, 0);
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    QTRY_VERIFY(!list->isVisible());
}
