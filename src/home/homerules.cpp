#include "home/homerules.h"

#include "platform/text.h"

#include <QUrl>

#include <algorithm>

namespace home {

namespace {
    int columnsOf(QChar c) { return plat::encodeGbk(QString(c)).size() > 1 ? 2 : 1; }
}

int gbkColumns(const QString& text)
{
    int n = 0;
    for (const QChar c : text)
        n += columnsOf(c);
    return n;
}

QString unitCaption(int unit, const QString& name)
{
    const QString text = QString::number(unit + 1) + QStringLiteral(".") + name + QString(71, u' ');
    int count = 0;
    for (int i = 0; i < text.size(); ++i) {
        count += columnsOf(text[i]);
        if (count < 24)
            continue;
        QString caption = text.left(i + 1);
        if (count == 24) {
            const QChar next = i + 1 < text.size() ? text[i + 1] : QChar(u' ');
            caption += columnsOf(next) == 1 ? next : QChar(u' ');
        }
        return caption;
    }
    return text; // not reached: the spaces always bring the count to 24
}

int autoChosenUnitButton(const QList<UnitTotals>& units)
{
    const int count = std::min<int>(static_cast<int>(units.size()), kMaxUnitButtons);
    for (int u = 0; u < count; ++u) {
        const UnitTotals& t = units[u];
        if (t.total == 0 || static_cast<double>(t.unlearned) / t.total > 0.2)
            return cmd::FirstUnit + u;
    }
    return count == 0 ? cmd::AllUnits : cmd::FirstUnit + count - 1;
}

QString questionIdText(int unit, int question)
{
    return QStringLiteral("%1").arg(unit * 100 + question, 4, 10, QChar(u'0'));
}

QString buttonFaceName(int button) { return QStringLiteral("l200") + plat::twoDigits(button); }

QString unitIdString(int unit, const QString& progressLine, QChar flag)
{
    QString ids;
    for (int q = 1; q <= progressLine.size() && q <= 99; ++q)
        if (progressLine[q - 1] == flag)
            ids += questionIdText(unit, q);
    return ids;
}

bool isOpenableLink(const QString& link)
{
    const QUrl url(link.trimmed(), QUrl::StrictMode);
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    return (scheme == QStringLiteral("http") || scheme == QStringLiteral("https"))
        && !url.host().isEmpty();
}

int linkEntryOfLabel(int labelIndex)
{
    switch (labelIndex) {
    case 1:
    case 17:
        return 1;
    case 18:
        return 2;
    case 3:
    case 20:
        return 3;
    case 19:
        return 4;
    default:
        return 0;
    }
}

QString builtInLink(int entry)
{
    switch (entry) {
    case 1:
        return QStringLiteral("https://ksxt.example.org/");
    case 2:
        return QStringLiteral("https://ksxt.example.org/guide/");
    case 3:
        return QStringLiteral("https://ksxt.example.org/service/");
    case 4:
        return QStringLiteral("https://ksxt.example.org/service/2/");
    default:
        return QString();
    }
}

} // namespace home
