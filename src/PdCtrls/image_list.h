#pragma once
// Same-sized small pictures addressed by index, shared by the controls that show them.

#include <QList>
#include <QPixmap>
#include <QSize>

namespace kelmora {

class TImageList {
public:
    explicit TImageList(QSize size) : size_(size) {}
    int Width() const { return size_.width(); }
    int Height() const { return size_.height(); }
    int Count() const { return int(images_.size()); }
    int add(const QPixmap& picture) {
        images_.append(picture.scaled(size_));
        return Count() - 1;
    }
    // An index outside the list is an empty picture.
    QPixmap at(int index) const { return index >= 0 && index < Count() ? images_[index] : QPixmap(); }

private:
    QSize size_;
    QList<QPixmap> images_;
};

}  // namespace kelmora
