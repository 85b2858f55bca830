#include "records/recordfiles.h"

#include "core/system.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace records {

namespace {
    QString inRecords(const RecordsDir& dir, const QString& name)
    {
        return dir.path + QLatin1Char('/') + name + QStringLiteral(".mxy");
    }

    QString inData(const DataDir& dir, const QString& name)
    {
        return plat::toNativeSeparators(dir.path + name + QStringLiteral(".mxy"));
    }
} // namespace

RecordsDir RecordsDir::of(const shell::System& sys)
{
    return { sys.programFile(QStringLiteral("ksdata")) };
}

DataDir DataDir::of(const shell::System& sys) { return { sys.state.SkinPath }; }

QString FavouritesFile(const RecordsDir& dir) { return inRecords(dir, QStringLiteral("288862")); }
QString FavouritesReviewFile(const RecordsDir& dir)
{
    return inRecords(dir, QStringLiteral("288872"));
}
QString WrongBookFile(const RecordsDir& dir) { return inRecords(dir, QStringLiteral("288863")); }
QString WrongBookReviewFile(const RecordsDir& dir)
{
    return inRecords(dir, QStringLiteral("288873"));
}
QString PaperWrongFile(const RecordsDir& dir, int paper)
{
    return inRecords(dir, QStringLiteral("1824") + plat::twoDigits(paper));
}
QString ExamHistoryFile(const RecordsDir& dir) { return inRecords(dir, QStringLiteral("288892")); }
QString UnitProgressFile(const RecordsDir& dir) { return inRecords(dir, QStringLiteral("288893")); }
QString ImeOptionFile(const RecordsDir& dir) { return inRecords(dir, QStringLiteral("288890")); }
QString RandomPaperFile(const RecordsDir& dir) { return inRecords(dir, QStringLiteral("288891")); }
QString AdvertFile(const RecordsDir& dir) { return inRecords(dir, QStringLiteral("170100")); }

QString PaperFile(const DataDir& dir) { return inData(dir, QStringLiteral("288891")); }
QString ModuleNumberFile(const DataDir& dir) { return inData(dir, QStringLiteral("288899")); }
QString BankVersionFile(const DataDir& dir) { return inData(dir, QStringLiteral("288895")); }
QString HelpPageFile(const DataDir& dir, int n)
{
    return inData(dir, QStringLiteral("l3818") + QString::number(n));
}

} // namespace records
