// A damaged copy of the module for tests of the readers: each fault sits in its own file
// so a test can tell which check caught which fault.
#include "module.h"
#include "steprecord.h"
#include "textfiles.h"

#include "platform/text.h"

#include <stdexcept>

namespace samplegen {

namespace {

    QStringList lines(const QByteArray& bytes)
    {
        QStringList out = plat::decodeGbk(bytes).split("\r\n");
        out.removeLast();
        return out;
    }

} // namespace

QStringList injectFaults(ModuleFiles& module)
{
    const QString data = module.dataFolder + "/";
    QStringList faults;
    auto at = [&](const QString& path) -> QByteArray& {
        auto found = module.files.find(path);
        if (found == module.files.end())
            throw std::runtime_error("fault target missing: " + path.toStdString());
        return found->second;
    };

    {
        const QString path = data + "288820.mxy";
        QStringList steps = lines(at(path));
        steps[0] = steps[0].left(150);
        at(path) = gbkLines(steps);
        faults << path + "\t1\tshort record";
    }
    {
        const QString path = data + "288821.mxy";
        QStringList steps = lines(at(path));
        StepRecord r(steps[0]);
        QString left = r.get(fields::HintLeft);
        left[1] = u'O'; // a letter O typed for a zero
        r.set(fields::HintLeft, left);
        steps[0] = r.text();
        at(path) = gbkLines(steps);
        faults << path + "\t1\tletters in a number field";
    }
    {
        const QString path = data + "288822.mxy";
        at(path).clear();
        faults << path + "\t0\tempty step file";
    }
    {
        const QString path = data + "dg0001.mxy";
        at(path).truncate(100);
        faults << path + "\t0\tcorrupt picture";
    }
    {
        const QString path = data + "sc0005.mxy";
        at(path).clear();
        faults << path + "\t0\tempty picture file";
    }
    {
        QStringList ver = lines(at("ver.txt"));
        ver[0].insert(6, "300000");
        at("ver.txt") = gbkLines(ver);
        faults << QString("ver.txt\t1\tgroup out of range");
    }
    {
        // Unit 3 loses its last three questions (and their steps), while the papers still
        // name them.
        const QString qPath = data + "288873.mxy";
        const QString sPath = data + "288823.mxy";
        QStringList questions = lines(at(qPath));
        QStringList steps = lines(at(sPath));
        int keepSteps = 0;
        for (int q = 0; q < questions.size() - 3; ++q)
            keepSteps += questions[q].mid(4, 2).toInt();
        at(qPath) = gbkLines(questions.mid(0, questions.size() - 3));
        at(sPath) = gbkLines(steps.mid(0, keepSteps));
        faults << qPath + "\t0\tquestion file shorter than its paper";
    }
    return faults;
}

} // namespace samplegen
