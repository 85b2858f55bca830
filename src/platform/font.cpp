#include "platform/font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>

#include <cmath>
#include <utility>
#include <vector>

namespace plat {

namespace {

    struct FaceRow {
        const char* face;
        std::vector<const char*> families; // first installed one wins
        // The Chinese faces come in one weight and are emboldened when drawn bold; so are their
        // stand-ins, from their regular face. A separate bold face would look heavier and keep a
        // second font file of many megabytes in memory for a few titles.
        bool emboldened = false;
    };

    const std::vector<FaceRow>& faceTable()
    {
        static const std::vector<FaceRow> rows = {
            { "宋体", { "Noto Serif CJK SC", "AR PL UMing CN", "Noto Sans CJK SC" }, true },
            { "新宋体", { "Noto Serif CJK SC", "AR PL UMing CN", "Noto Sans CJK SC" }, true },
            { "黑体", { "Noto Sans CJK SC", "WenQuanYi Zen Hei" }, true },
            { "微软雅黑", { "Noto Sans CJK SC", "WenQuanYi Zen Hei" } },
            { "楷体_GB2312", { "AR PL UKai CN", "Noto Serif CJK SC" }, true },
            { "楷体", { "AR PL UKai CN", "Noto Serif CJK SC" }, true },
            { "隶书", { "AR PL UKai CN", "Noto Serif CJK SC" }, true },
            { "仿宋_GB2312", { "AR PL UMing CN", "Noto Serif CJK SC" }, true },
            { "Times New Roman", { "Liberation Serif", "DejaVu Serif", "Noto Serif CJK SC" } },
            { "Arial", { "Liberation Sans", "DejaVu Sans", "Noto Sans CJK SC" } },
            { "MS Sans Serif", { "DejaVu Sans", "Liberation Sans", "Noto Sans CJK SC" } },
            { "Tahoma", { "DejaVu Sans", "Liberation Sans", "Noto Sans CJK SC" } },
        };
        return rows;
    }

    QString firstInstalled(const std::vector<const char*>& candidates)
    {
        const QStringList installed = QFontDatabase::families();
        for (const char* c : candidates) {
            QString name = QString::fromUtf8(c);
            if (installed.contains(name, Qt::CaseInsensitive))
                return name;
        }
        return QString::fromUtf8(candidates.back());
    }

    const FaceRow* rowFor(const QString& faceName)
    {
        for (const auto& row : faceTable())
            if (faceName.compare(QString::fromUtf8(row.face), Qt::CaseInsensitive) == 0)
                return &row;
        return nullptr;
    }

} // namespace

QString familyFor(const QString& faceName)
{
    static QHash<QString, QString> cache;
    auto it = cache.find(faceName);
    if (it != cache.end())
        return *it;
    const FaceRow* row = rowFor(faceName);
    const QString family = row ? firstInstalled(row->families)
                               : firstInstalled({ "Noto Sans CJK SC", "DejaVu Sans" });
    cache.insert(faceName, family);
    return family;
}

QFont toQFont(const FontSpec& f, double twipsPerPixel)
{
    QFont font(familyFor(f.name));
    const double pixelsPerPoint = 20.0 / (twipsPerPixel > 0 ? twipsPerPixel : 15.0);
    font.setPixelSize(std::max(1, int(std::lround(f.size * pixelsPerPoint))));
    font.setBold(f.bold);
    if (f.bold) {
        // Asking for the regular style by name makes the font engine embolden it.
        const FaceRow* row = rowFor(f.name);
        if (row && row->emboldened)
            font.setStyleName(QStringLiteral("Regular"));
    }
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void loadFaces(const std::vector<FontSpec>& fonts, double twipsPerPixel)
{
    for (const FontSpec& f : fonts)
        QFontMetricsF(toQFont(f, twipsPerPixel)).height();
}

} // namespace plat
