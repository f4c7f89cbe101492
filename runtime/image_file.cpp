#include "runtime/image_file.h"

#include <QFileInfo>
#include <QImageReader>

namespace runtime {

QImage ReadImageFile(const QString& path, QSize scaledSize) {
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    if (scaledSize.isValid()) {
        reader.setScaledSize(scaledSize);
    }
    return reader.read();
}

} // namespace runtime
