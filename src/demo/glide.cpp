#include "demo/glide.h"

#include "platform/rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace demo {

namespace {
    constexpr double kLegTicks = 15;
    constexpr double kBothGaps = 1.2; // glide steps
    constexpr double kDistance = 1.5; // glide steps
    constexpr double kNear = 120; // twips, times ScaleX

    template <class T> T clampTo(double v)
    {
        const double r = plat::roundHalfEven(v);
        if (std::isnan(r))
            return 0;
        return static_cast<T>(
            std::clamp<double>(r, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
    }

    // The arrow's end points in design twips from the pointer (x right, y down).
    struct DesignSegment {
        int x1, y1, x2, y2;
    };
    constexpr DesignSegment kOutline[kOutlineSegments - 1] = {
        { 60, 0, 60, 240 },
        { 60, 240, 120, 180 },
        { 120, 180, 180, 300 },
        { 150, 150, 225, 285 },
        { 165, 150, 240, 150 },
        { 60, -15, 240, 165 },
        { 195, 300, 225, 270 },
    };
    constexpr DesignSegment kFill[kFillSegments] = {
        { 75, 15, 75, 210 },
        { 105, 45, 105, 180 },
        { 135, 75, 135, 150 },
        { 165, 105, 165, 135 },
        { 195, 120, 195, 135 },
        { 135, 165, 210, 300 },
    };

    constexpr uint32_t kRed = 0x0000FF;
    constexpr uint32_t kGreen = 0x00FF00;
    constexpr uint32_t kYellow = 0x00FFFF;
}

int16_t toInt16(double v) { return clampTo<int16_t>(v); }
int32_t toInt32(double v) { return clampTo<int32_t>(v); }

Glide glideSetup(int32_t pointerX, int32_t pointerY, int32_t targetX, int32_t targetY)
{
    const double gapX = double(targetX) - pointerX;
    const double gapY = double(targetY) - pointerY;
    Glide g;
    g.step = std::sqrt(gapX * gapX + gapY * gapY) / kLegTicks;
    const double ax = std::abs(gapX), ay = std::abs(gapY);
    if (ax > ay) {
        g.dx = toInt16(g.step);
        g.dy = toInt16(ay * g.step / ax);
    } else if (ay > 0) {
        g.dx = toInt16(ax * g.step / ay);
        g.dy = toInt16(g.step);
    }
    if (targetX < pointerX)
        g.dx = static_cast<int16_t>(-g.dx);
    if (targetY < pointerY)
        g.dy = static_cast<int16_t>(-g.dy);
    return g;
}

bool arrived(int32_t pointerX, int32_t pointerY, int32_t targetX, int32_t targetY, double step,
    double scaleX)
{
    const double gapX = double(pointerX) - targetX;
    const double gapY = double(pointerY) - targetY;
    const double d = std::sqrt(gapX * gapX + gapY * gapY);
    const bool farOnAnAxis = std::abs(gapX) > kBothGaps * step || std::abs(gapY) > kBothGaps * step;
    return !(farOnAnAxis && d >= kDistance * step && d >= kNear * scaleX);
}

int32_t centreOf(double pos, double size) { return toInt32(pos + size / 2); }

std::array<Segment, kOutlineSegments + kFillSegments> arrowSegments(
    double pointerX, double pointerY, double scaleX, double scaleY)
{
    const auto at = [&](const DesignSegment& d) {
        return Segment { pointerX + d.x1 * scaleX, pointerY + d.y1 * scaleY,
            pointerX + d.x2 * scaleX, pointerY + d.y2 * scaleY };
    };
    std::array<Segment, kOutlineSegments + kFillSegments> s {};
    for (int i = 0; i < kOutlineSegments - 1; ++i)
        s[i] = at(kOutline[i]);
    // The tail's bottom edge joins the end of segment 2 to the start of segment 6.
    s[7] = { s[2].x2, s[2].y2, s[6].x1, s[6].y1 };
    for (int i = 0; i < kFillSegments; ++i)
        s[kOutlineSegments + i] = at(kFill[i]);
    return s;
}

uint32_t ringColour(const QString& actionCode)
{
    if (actionCode == QStringLiteral("0002"))
        return kGreen;
    if (actionCode == QStringLiteral("0003") || actionCode.startsWith(u'3')
        || actionCode.startsWith(u'4'))
        return kYellow;
    return kRed;
}

} // namespace demo
