// The answer-line fields of a step record: one reading of the number for every reader.

#include "platform/text.h"
#include "stepengine/answers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace stepengine;

// The input checks used to accept any script's digits in the field while the preset, hint and
// list readers took what the record reader's prefix rule made of it: one field could name a line
// for one reader and none for another. Every reader now goes by one rule, and the preset reader
// and the check agree on every field.
TEST(AnswerLineField, EveryReaderTakesTheSameNumber)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("288890.mxy"));
    QStringList lines;
    for (int i = 1; i <= 12; ++i)
        lines << QStringLiteral("%1answer %2").arg(i, 3, 10, QLatin1Char('0')).arg(i);
    ASSERT_TRUE(plat::writeLines(file, lines).ok());

    struct Case {
        const char* field; // UTF-8
        std::optional<int> number;
    };
    const Case cases[] = {
        { "005", 5 }, { "012", 12 },
        { " 05", 5 }, // blanks are skipped, as the record reader skips them
        { "0 5", 5 }, { "000", 0 }, { "０１２", std::nullopt }, // full-width digits
        { "٠٠٥", std::nullopt }, // another script's digits
        { "12a", std::nullopt }, // the prefix rule would read 12
        { "-01", std::nullopt }, { "+05", std::nullopt }, { "1.0", std::nullopt },
        { "", std::nullopt }, { "   ", std::nullopt },
        { "99999999999", 1'000'000 }, // no overflow into a small number
    };
    for (const Case& c : cases) {
        const QString field = QString::fromUtf8(c.field);
        SCOPED_TRACE(testing::Message() << "'" << c.field << "'");
        EXPECT_EQ(answerLineNumber(field), c.number);
        const QString line = answerLineOf(file, field).valueOr({});
        const auto checked = acceptedAnswer(file, field);
        if (c.number && *c.number >= 1 && *c.number <= 12) {
            EXPECT_EQ(line, lines[*c.number - 1]);
            ASSERT_TRUE(checked.ok());
            EXPECT_EQ(checked.value(), lineText(line));
        } else if (field != QStringLiteral("000")) {
            EXPECT_EQ(line, QString());
            EXPECT_FALSE(checked.ok());
        }
    }
}
