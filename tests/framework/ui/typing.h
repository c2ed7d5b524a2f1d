// Typing in widget tests as a user types: each key to the widget that has the focus.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace kestra::test {

// Once a key opened a cell editor, the following keys go to the editor, as they do on screen.
inline void typeText(QWidget* start, const QString& text)
{
    start->setFocus();
    for (const QChar ch : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : start;
        QTest::keyClick(target, ch.toLatin1());
    }
}

}  // namespace kestra::test
