// The numbered list of open windows at the end of a "Finestre" menu, after its separator.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAction;
class QMenu;
class QString;

namespace kestra {

// Removes the entries after `separator` (the list as it was last shown).
void ClearWindowList(QMenu* menu, QAction* separator);

// Adds the entry `number` for a window title ("&1 Limiti - no file"); an "&" in the title stays a character.
QAction* AddWindowListEntry(QMenu* menu, int number, const QString& title);

}  // namespace kestra
