// The Qt application the printing commands need for fonts.
#pragma once

#include <QGuiApplication>
#include <memory>

namespace cli {

// A GUI application on the offscreen platform unless another one is asked
// for; nothing when one already exists. Qt's notes about the environment are
// kept off standard error; its errors still reach it.
std::unique_ptr<QGuiApplication> StartGuiApplication();

} // namespace cli
