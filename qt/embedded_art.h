#pragma once

#include <QImage>
#include <QString>

namespace chess::ui {

// One of the PNG images embedded in the program, such as ":/squares/empty-light.png". Named
// as PNG outright: left to guess, Qt would load every image format plug-in it has, and the
// libraries behind them, to ask each whether it knows the file.
QImage readEmbeddedPng(const QString &path);

} // namespace chess::ui
