#pragma once
// A program folder of its own for a test of the work surface and the question panel: a data
// folder with the exercise files of unit 0 (operation file 288820, question texts 288870), the
// operation-text file 288890 and pictures, a screen of a chosen size and a fresh program state.
// The windows are unloaded when the world ends.

#include "app/moddata.h"
#include "exam/frmpicture.h"
#include "exam/frmtm.h"
#include "platform/programfolder.h"
#include "platform/screenmetrics.h"
#include "platform/textfile.h"
#include "surface/frmmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

namespace testworld {

// Screen scales for tables of placements: the design scale, and one whose factors differ from 1
// and from each other, so that a factor left out or taken from the other axis shows.
struct Scale {
    double x, y;
    // A rectangle of design twips as the windows place it at this scale.
    QRectF of(const QRectF& r) const { return QRectF(r.x() * x, r.y() * y, r.width() * x, r.height() * y); }
    QPointF of(const QPointF& p) const { return QPointF(p.x() * x, p.y() * y); }
    std::string name() const { return "scale " + std::to_string(x) + " x " + std::to_string(y); }
};
inline constexpr Scale kScales[] = {{1, 1}, {1.25, 1.5}};

inline void closeWindows()
{
    ModData::bTmCanClose = true;
    FrmMain::unloadIfLoaded();
    FrmTm::unloadIfLoaded();
    FrmPicture::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class World {
public:
    explicit World(QSize screen = QSize(1024, 768))
    {
        closeWindows();
        ModData::resetAll();
        platform::setScreenSizeOverride(screen);
        platform::setProgramFolder(m_dir.path());
        QDir(m_dir.path()).mkdir(QStringLiteral("data"));
        data = m_dir.path() + QStringLiteral("/data/");
        using namespace ModData;
        dScaleX = 1;
        dScaleY = 1;
        sDataPath = data;
        sKeMu = QStringLiteral("Windows XP");
        sOpTextFile = data + QStringLiteral("288890.mxy");
        iLianXiType = 20;
        iLianXiSub = 0;
        sOpFile = data + QStringLiteral("288820.mxy");
        sTmTextFile = data + QStringLiteral("288870.mxy");
        iTmCount = 1;
        iTmNo = 1;
        iStepNo = 1;
        iTmLine(1) = 1;
        iRunMode = 2;
        sTmDone(1) = QStringLiteral("F");
    }
    // The screen scale the windows load with: set it before the surface is loaded.
    static void useScale(const Scale& k)
    {
        ModData::dScaleX = k.x;
        ModData::dScaleY = k.y;
    }
    ~World()
    {
        closeWindows();
        platform::setScreenSizeOverride(QSize());
        platform::setProgramFolder(QString());
    }

    static void writeLines(const QString& path, const QStringList& lines)
    {
        platform::writeWholeFile(path, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    }
    void ops(const QStringList& records) const { writeLines(data + QStringLiteral("288820.mxy"), records); }
    // Line n of the operation-text file is texts[n - 1].
    void texts(const QStringList& texts) const
    {
        QStringList lines;
        for (int i = 0; i < texts.size(); ++i)
            lines << QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')) + texts[i];
        writeLines(data + QStringLiteral("288890.mxy"), lines);
    }
    void questions(const QStringList& lines) const { writeLines(data + QStringLiteral("288870.mxy"), lines); }
    // A one-colour picture "<id>.mxy" of w x h pixels.
    void picture(const QString& id, int w = 20, int h = 10, QColor colour = Qt::darkCyan) const
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(colour);
        img.save(data + id + QStringLiteral(".mxy"), "PNG");
    }

    // The surface loaded, its first scene not yet built.
    static FrmMain& surface() { return FrmMain::get(); }
    // Builds the scene of step `stepNo` of the current question. That is the build the panel
    // asked for when it showed the question: its one-shot timer is put away, so that it cannot
    // build the step again in the middle of a gesture.
    static FrmMain& build(int stepNo)
    {
        FrmMain& s = FrmMain::get();
        ModData::iStepNo = qint16(stepNo);
        s.setData();
        s.Timer2.setEnabled(false);
        return s;
    }

    QString data;

private:
    QTemporaryDir m_dir;
};

} // namespace testworld
