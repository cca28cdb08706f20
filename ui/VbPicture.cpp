#include "VbPicture.h"

#include <QFileInfo>
#include <QImageReader>

namespace zv {

std::optional<QPixmap> loadPictureFile(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return std::nullopt;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    return QPixmap::fromImage(image);
}

bool showPictureFile(const QString& path,
                     const std::function<void(const QPixmap&, const QString&)>& show) {
    const auto pixmap = loadPictureFile(path);
    if (!pixmap) return false;
    show(*pixmap, path);
    return true;
}

std::optional<QIcon> loadIconFile(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return std::nullopt;
    QIcon icon(path);
    if (icon.isNull() || icon.availableSizes().isEmpty()) return std::nullopt;
    return icon;
}

} // namespace zv
