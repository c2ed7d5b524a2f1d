// The numbered list of open windows at the end of a "Finestre" menu.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/window_list.h"

#include <QAction>
#include <QMenu>
#include <QString>

namespace kestra {

void ClearWindowList(QMenu* menu, QAction* separator)
{
    const QList<QAction*> all = menu->actions();
    const auto separatorAt = all.indexOf(separator);
    for (qsizetype i = separatorAt + 1; i < all.size(); ++i) {
        menu->removeAction(all[i]);
        all[i]->deleteLater();
    }
}

QAction* AddWindowListEntry(QMenu* menu, int number, const QString& title)
{
    QString shown = title;
    return menu->addAction(
        QStringLiteral("&%1 %2").arg(number).arg(shown.replace(QLatin1Char('&'), QStringLiteral("&&"))));
}

}  // namespace kestra
