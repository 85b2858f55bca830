#pragma once

#include "imagefiles.h"

#include <QImage>
#include <QString>

#include <vector>

namespace samplegen {

// The skin pictures of the program's own windows (splash, message box, about box, updater,
// home window, question panel, login, score sheet), named as the windows load them from the
// data folder. Button faces are strips of four equal frames: normal, hover, pressed,
// disabled; each frame is as large as the button's design size in pixels.
struct SkinPicture {
    QString name;
    QImage image;
    PictureFormat format;
    int frames = 1; // 4 for a button face
};
std::vector<SkinPicture> skinPictures();

} // namespace samplegen
