// The Italian and United Kingdom flags of the language buttons, drawn by the program.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

namespace kestra {

QPixmap DrawItalianFlag(const QSize& size);
QPixmap DrawUnitedKingdomFlag(const QSize& size);

}  // namespace kestra
