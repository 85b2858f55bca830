#pragma once

// The names of the learner's record files and of the home screen's data files. The records
// folder (program folder & "\ksdata\") and the module data folder (SkinPath) hold files with the
// same numbers (288890, 288891, 288892) and different meanings, so each folder has its own type
// and each file name takes only the folder it lives in.

#include <QString>

namespace shell {
class System;
}

namespace records {

// The records folder: the program folder & "/ksdata". Writers create it when it is missing.
struct RecordsDir {
    QString path; // without a trailing separator
    static RecordsDir of(const shell::System& sys);
};

// The module data folder (SkinPath). Read only for this program; the updater replaces its files.
struct DataDir {
    QString path; // SkinPath as the state holds it, ending in a separator
    static DataDir of(const shell::System& sys);
};

// Learner records (records folder).
QString FavouritesFile(const RecordsDir& dir); // 288862: favourite ids
QString FavouritesReviewFile(const RecordsDir& dir); // 288872: their review line
QString WrongBookFile(const RecordsDir& dir); // 288863: wrong-question book ids
QString WrongBookReviewFile(const RecordsDir& dir); // 288873: their review line
// 1824pp: the ids of paper `paper` (0..30) not completed at its last hand-in; pp has two digits.
QString PaperWrongFile(const RecordsDir& dir, int paper);
QString ExamHistoryFile(const RecordsDir& dir); // 288892: three lines per paper row
QString UnitProgressFile(const RecordsDir& dir); // 288893: one line of learned flags per unit
QString ImeOptionFile(const RecordsDir& dir); // 288890: "1" or "0"
QString RandomPaperFile(const RecordsDir& dir); // 288891: random papers 20..29, newest first
QString AdvertFile(const RecordsDir& dir); // 170100: advert text, colour, link

// Module data (data folder).
QString PaperFile(const DataDir& dir); // 288891: counts, unit sizes, fixed papers
QString ModuleNumberFile(const DataDir& dir); // 288899: the module number
// 288895: line 1 the question bank's version stamp; the updater writes its list copy here.
QString BankVersionFile(const DataDir& dir);
// l3818n, n = 0..4: the help pages the help panel's browser opens by path.
QString HelpPageFile(const DataDir& dir, int n);

} // namespace records
