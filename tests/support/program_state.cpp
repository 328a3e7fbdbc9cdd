#include "support/program_state.h"

#include "engine/flow_sheet_access.h"
#include "engine/main_window_access.h"
#include "engine/sizing_sheet_access.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/texts.h"

#include <QDir>
#include <QFile>

namespace testsupport {

void resetProgramState()
{
    setActiveSizingSheet(nullptr);
    setActiveFlowSheet(nullptr);
    setMainWindowAccess(nullptr);
    shared() = SharedData();
}

QString seedFile(const QString &name)
{
    return QDir(QStringLiteral(QUENDRA_SEED_DIR)).filePath(name);
}

bool copySeedFile(const QString &name, const QString &target)
{
    if (!QFile::copy(seedFile(name), target))
        return false;
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

void openShippedTexts()
{
    openLanguageDatabase(seedFile(QStringLiteral("dbSprache.mdb")));
    setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
}

void closeShippedTexts()
{
    closeLanguageDatabase();
    setProgramFolder(QString());
}

void standardWaterPoints(SharedData &s)
{
    s.Medium = 1;
    s.Zustand = 1;
    s.NameMedium = QStringLiteral("Wasser");
    s.p1Min = s.p1Norm = s.p1Max = 10;
    s.p2Min = 7;
    s.p2Norm = 6.5;
    s.p2Max = 6;
    s.T1Min = s.T1Norm = s.T1Max = 20;
    s.QMin = 10;
    s.QNorm = 20;
    s.QMax = 30;
}

void standardAirPoints(SharedData &s)
{
    s.Medium = 0;
    s.Zustand = 0;
    s.NameMedium = QStringLiteral("Luft");
    s.p1Min = s.p1Norm = s.p1Max = 6;
    s.p2Min = 4;
    s.p2Norm = 3.5;
    s.p2Max = 3;
    s.QMin = 100;
    s.QNorm = 200;
    s.QMax = 300;
    s.rhoN = 1.293;
    s.gammaMin = s.gammaNorm = s.gammaMax = 1.4;
}

} // namespace testsupport
