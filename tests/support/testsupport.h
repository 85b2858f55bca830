#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

namespace shell {
class System;
}

namespace testsupport {

// Folder for renderings and other artefacts a person may look at after a run.
QString outputDir();

// Pixels of `area` in `image` that differ clearly from the area's most common colour: text or a
// drawing shows there when there are more than a handful.
int inkIn(const QImage& image, const QRect& area);

// Writes bytes to a file, creating folders; fails the test on error.
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// The exercise launch as the question panel does it: the questions of the unit file that
// StudyMode and SetNo name, with their first step lines (one line per question, "uuqqnn" and its
// text, nn steps each) and each marked open. False when the file cannot be read.
bool launchQuestions(shell::System& sys);

} // namespace testsupport
