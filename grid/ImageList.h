#pragma once
// ImageList: pictures numbered from 1, each with a key, as a host hands them to a grid (row icons,
// tree icons). The list is the host's; the grid only reads it.

#include <QList>
#include <QPixmap>
#include <QString>

namespace zv {

class ImageList {
public:
    // Appends a picture; returns its index (the new count).
    int add(const QString& key, const QPixmap& picture);
    int count() const { return int(images_.size()); }
    // The key and the picture of image index (1..count); any other index raises the grid's
    // error 381.
    QString key(int index) const;
    QPixmap picture(int index) const;
    void clear() { images_.clear(); }

private:
    struct Image {
        QString key;
        QPixmap picture;
    };
    const Image& at(int index) const;

    QList<Image> images_;
};

} // namespace zv
