// What the renderer's drawing commands share: Qt started without a window.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGuiApplication>
#include <memory>

namespace kestra::cli {

// A QGuiApplication for drawing, on the offscreen platform when there is no display; Qt's notes are
// silenced, its critical messages printed as one line.
std::unique_ptr<QGuiApplication> StartQtForRendering();

}  // namespace kestra::cli
