#pragma once
// Pictures from files, as the language's LoadPicture gives them to forms, picture boxes, images,
// panels and window icons. Qt reads BMP, PNG, JPEG, GIF and ICO; a file it cannot read (missing,
// damaged, or a WMF, EMF or CUR file) gives no picture, and the caller keeps the one it had.

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <functional>
#include <optional>

namespace zv {

std::optional<QPixmap> loadPictureFile(const QString& path);
// Loads the picture file at path and gives it, with the path, to show; false, and show not
// called, when the file gives no picture.
bool showPictureFile(const QString& path,
                     const std::function<void(const QPixmap&, const QString&)>& show);
std::optional<QIcon> loadIconFile(const QString& path);

} // namespace zv
