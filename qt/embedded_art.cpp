#include "qt/embedded_art.h"

#include <QImageReader>

namespace chess::ui {

QImage readEmbeddedPng(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace chess::ui
