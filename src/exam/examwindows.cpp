#include "exam/examwindows.h"

#include "records/learnerrecords.h"

#include <QDateTime>

namespace exam {

QString slotDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

QString examTimeNow() { return records::historyTime(QDateTime::currentDateTime()); }

} // namespace exam
