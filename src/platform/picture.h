#pragma once

// Pictures loaded by content whatever the file suffix (the data files are named ".mxy"):
// BMP, GIF (first frame, transparency kept), JPEG, PNG, ICO and CUR.

#include "platform/status.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace plat {

// A picture's decoded image. One loaded from a file may be decoded only when first asked for:
// a form loads many pictures that stay hidden until a panel is opened, and decoding them all
// would lengthen every start and hold their memory. Copies share the image and its decoding.
class Picture {
public:
    Picture(QImage image = {}, QPoint hotSpot = { 0, 0 }, bool isCursor = false);

    // Decodes on the first call; the empty image for the empty picture, or when data that
    // passed the checks at load still fails to decode.
    const QImage& image() const;
    QPoint hotSpot() const { return hotSpot_; } // pixels; only cursors have one
    bool isCursor() const { return isCursor_; }

    bool isNull() const { return size_.isEmpty(); }
    int width() const { return size_.width(); }
    int height() const { return size_.height(); }
    // Whether the image is decoded already (the pictures of an opened panel are, a hidden
    // panel's need not be).
    bool isDecoded() const;

private:
    friend struct PictureFiles; // reads picture files, deferring their decoding
    struct Deferred;
    std::shared_ptr<Deferred> deferred_;
    QImage image_;
    QSize size_;
    QPoint hotSpot_ { 0, 0 };
    bool isCursor_ = false;
};

// Loads a picture. The empty name gives the empty picture (success). A missing, empty or broken
// file is a failure: a file is read whole and checked for its format, its size and its ending
// here, and decoded when its image is first asked for. Pictures are cached by path, size and
// modification time.
Result<Picture> loadPicture(const QString& path);

// Loads and decodes the pictures the next step will show; for a worker thread (decodeahead.h).
// They wait apart from the cache, within its limit, until a load takes them or the next call
// replaces them: the loads of the step on show cannot push them out before they are shown.
// Stops early once `wanted` turns false. A file that fails is left for the load that shows it to
// report.
void loadAhead(const QStringList& paths, const std::function<bool()>& wanted);

// Decodes picture bytes by their content.
Result<Picture> decodePicture(const QByteArray& bytes);

// Drops every cached picture (a benchmark measures uncached loads with it).
void clearPictureCache();

} // namespace plat
