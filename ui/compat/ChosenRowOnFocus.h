#pragma once

#include <QModelIndex>
#include <functional>

class QTreeView;

// Qt before 6.8 (measured: Debian 12's Qt 6.4 with Orca 43 needs it, Debian 13's Qt 6.8 with
// Orca 48 does not): a list that takes the keys makes its first cell current without telling
// screen readers, and a row current already is not read after the list's name. Until then, the
// cell `chosen` gives is made current once the list has the keys, and is said again where it is
// current already. From Qt 6.8 on this does nothing.
void readChosenRowOnFocus(QTreeView* list, std::function<QModelIndex()> chosen);
