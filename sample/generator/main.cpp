// xpsample: lays out the sample program folder from the readable sources of the question bank.
//
//   xpsample [--sources DIR] --out PROGRAM_FOLDER   write the folder, then validate it
//   xpsample [--sources DIR] --contact-sheet FILE   one PNG of the main scene pictures
//   xpsample --validate PROGRAM_FOLDER              only validate an existing folder

#include "build.h"
#include "scene.h"

#include "../validate.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#ifndef XP_SAMPLE_SOURCES
#define XP_SAMPLE_SOURCES "."
#endif

namespace {

int report(const QStringList& problems)
{
    QTextStream err(stderr);
    for (const QString& p : problems)
        err << "xpsample: " << p << Qt::endl;
    return problems.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString sources = QStringLiteral(XP_SAMPLE_SOURCES);
    QString out, sheet, validateOnly;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString next = i + 1 < args.size() ? args[i + 1] : QString();
        if (args[i] == u"--sources")
            sources = next, ++i;
        else if (args[i] == u"--out")
            out = next, ++i;
        else if (args[i] == u"--contact-sheet")
            sheet = next, ++i;
        else if (args[i] == u"--validate")
            validateOnly = next, ++i;
        else
            return report({QStringLiteral("unknown argument %1").arg(args[i])});
    }
    if (!validateOnly.isEmpty())
        return report(sample::validateProgramFolder(validateOnly));
    if (out.isEmpty() && sheet.isEmpty())
        return report({QStringLiteral("nothing to do: give --out or --contact-sheet")});
    try {
        const gen::Bank bank = gen::readBank(sources);
        const gen::Compiled compiled = gen::compileBank(bank);
        if (!sheet.isEmpty()) {
            QVector<QPair<QString, QImage>> pictures;
            for (const gen::SceneDef& s : bank.scenes)
                if (compiled.scenes.value(s.name).image.size() == QSize(800, 600))
                    pictures.append({s.name + QStringLiteral(" (") + s.id + QLatin1Char(')'), compiled.scenes.value(s.name).image});
            if (!gen::contactSheet(pictures, 4, 400).save(sheet, "PNG"))
                return report({QStringLiteral("cannot write %1").arg(sheet)});
        }
        if (!out.isEmpty()) {
            gen::writeProgramFolder(bank, compiled, out);
            return report(sample::validateProgramFolder(out));
        }
    } catch (const gen::SourceError& e) {
        return report({QString::fromStdString(e.what())});
    }
    return 0;
}
