#pragma once

// Pictures loaded by content whatever the file suffix (the data files are named ".mxy"):
// BMP, GIF (first frame, transparency kept), JPEG, PNG, ICO and CUR.

#include "platform/status.h"

#include <QImage>
#include <QPoint>
#include <QString>

namespace plat {

struct Picture {
    QImage image; // null for the empty picture
    QPoint hotSpot { 0, 0 }; // pixels; only cursors have one
    bool isCursor = false;

    bool isNull() const { return image.isNull(); }
    int width() const { return image.width(); }
    int height() const { return image.height(); }
};

// Loads a picture. The empty name gives the empty picture (success). A missing, empty or broken
// file is a failure. Decoded pictures are cached by path, size and modification time.
Result<Picture> loadPicture(const QString& path);

// Decodes picture bytes by their content.
Result<Picture> decodePicture(const QByteArray& bytes);

// Drops every cached picture (a benchmark measures uncached loads with it).
void clearPictureCache();

} // namespace plat
