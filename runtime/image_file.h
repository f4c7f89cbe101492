#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace runtime {

// Reads an image in the format its file's suffix names, at scaledSize when one is given (an SVG is
// then drawn at that size, stretched). Detecting the format would instead ask every image plugin,
// loading them all, the SVG one among them. A null image when the file cannot be read.
QImage ReadImageFile(const QString& path, QSize scaledSize = {});

} // namespace runtime
