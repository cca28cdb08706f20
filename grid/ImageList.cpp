#include "ImageList.h"

#include "GridModel.h"
#include "VbError.h"

namespace zv {

int ImageList::add(const QString& key, const QPixmap& picture) {
    images_.append({key, picture});
    return count();
}

const ImageList::Image& ImageList::at(int index) const {
    if (index < 1 || index > count()) throw err::GridImageIndex();
    return images_.at(index - 1);
}

QString ImageList::key(int index) const {
    return at(index).key;
}

QPixmap ImageList::picture(int index) const {
    return at(index).picture;
}

} // namespace zv
