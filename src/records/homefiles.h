#pragma once

// The home screen's own data files: the paper file and the module-number file of the module
// data folder, the random-paper list and the advert text of the records folder, and the help
// pages. Missing files read as their empty values without a report; any other failure to read
// or write is reported through the caller's error site.

#include "records/recordfiles.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace shell {
class ErrorSite;
}

namespace records {

// Most fixed papers (0..19) and units (buttons 50..69) the home screen holds.
inline constexpr int kMaxFixedPapers = 20;
inline constexpr int kMaxUnits = 20;
// Most unit sizes the sizes line gives (units 0..25).
inline constexpr int kMaxUnitSizes = 26;
// Random papers are paper numbers 20 .. 29, newest first.
inline constexpr int kFirstRandomPaper = 20;
inline constexpr int kMaxRandomPapers = 10;

// ---- PaperFile (data folder) ----

struct PaperCounts {
    int16_t fixedPaperCount = 0; // FixedPaperCount
    int16_t unitCount = 0; // UnitCount
};
// Line 1, trimmed: characters 1-2 the fixed papers, 3-4 the units (" 1011 " gives 10 and 11).
// Counts above 20 are clamped to 20 and reported; a missing file gives 0 and 0, reported.
PaperCounts readPaperCounts(const DataDir& dir, const shell::ErrorSite& site);
// Line 2: two digits per unit, unit 0 first; a lone last character counts alone; at most 26.
// No sizes (nullopt) when the file cannot be read or has no second line: the counts line is
// never read as sizes, and the unit progress is never fitted to sizes that are not there.
std::optional<QList<int>> readUnitSizes(const DataDir& dir, const shell::ErrorSite& site);
// Fixed paper s (0..19): its 160-character id line, line s + 3. Empty when the file ends
// before that line (never another paper's line).
QString readFixedPaper(const DataDir& dir, int paper, const shell::ErrorSite& site);

// ---- RandomPaperFile (records folder) ----

// The count rule: the number of lines before the first line that is blank after trimming,
// reading at most 15 lines; at most 10 (more is reported). 0 for a missing file.
int16_t randomPaperCount(const RecordsDir& dir, const shell::ErrorSite& site);
// Random paper p (20..29): line p - 19, or empty when the file ends before it.
QString readRandomPaper(const RecordsDir& dir, int paper, const shell::ErrorSite& site);
// A new random paper: the file becomes exactly 10 lines, the new id line then the old lines
// 1 to 9 (missing ones blank); the old line 10 is dropped.
bool writeNewRandomPaper(
    const RecordsDir& dir, const QString& idLine, const shell::ErrorSite& site);
// Deleting random paper p: line p - 19 is removed and the papers below it close the gap; the
// file holds the remaining randomCount - 1 papers followed by one empty line.
bool deleteRandomPaper(
    const RecordsDir& dir, int paper, int randomCount, const shell::ErrorSite& site);

// ---- ModuleNumberFile (data folder) ----

// Whether the numeric value of line 1 equals the module number ("07" matches 7); a missing or
// unreadable file reads as 0.
bool moduleNumberMatches(const DataDir& dir, int16_t moduleNo, const shell::ErrorSite& site);

// ---- AdvertFile (records folder) ----

struct Advert {
    QString text; // line 1 trimmed, every "◎" a CR LF
    int32_t colour = 0; // line 2's numeric value ("&HFF" and "255" are red)
    QString link; // line 3 as it is (AdvertLink)
};
// A missing line leaves its value empty; a missing file gives an empty advert.
Advert readAdvert(const RecordsDir& dir, const shell::ErrorSite& site);

// ---- HelpPageFile (data folder) ----

inline constexpr int kHelpPages = 5;
// The title of help topic n (0..4): "软件介绍", "备考指南", "考试大纲", "答题技巧", "常见问题".
QString helpTopicTitle(int n);

} // namespace records
