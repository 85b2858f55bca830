#pragma once

// Readable QString, QPoint and QRect values in GoogleTest failure messages.

#include <QPoint>
#include <QRect>
#include <QString>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QPoint& p, std::ostream* os)
{
    *os << '(' << p.x() << ", " << p.y() << ')';
}
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << r.width() << 'x' << r.height() << " at (" << r.x() << ", " << r.y() << ')';
}
