#include "exam/examwindows.h"

#include "records/learnerrecords.h"

#include <QDateTime>

namespace exam {

QString examTimeNow() { return records::historyTime(QDateTime::currentDateTime()); }

} // namespace exam
