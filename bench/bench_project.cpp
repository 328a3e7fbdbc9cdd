// Saving and loading a project file and the program parameters: median times in milliseconds (aim: below 10 ms).
// Works on a copy of the generated default project; without it, on a file built here with the same tables.

#include "app/program_parameters.h"
#include "app/project_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

FieldType columnType(const FileItem &item)
{
    switch (item.type()) {
    case ItemType::D: return FieldType::Double;
    case ItemType::F: return FieldType::Single;
    case ItemType::I: return FieldType::Integer;
    case ItemType::B: return FieldType::Boolean;
    case ItemType::S: return FieldType::Text;
    case ItemType::V: return FieldType::Variant;
    }
    return FieldType::Variant;
}

void buildFile(const QString &path, const SharedData &d)
{
    auto db = Database::create(path);
    for (const auto *items : {&projectItems(), &programParameterItems()}) {
        QStringList tables;
        for (const FileItem &item : *items)
            if (!tables.contains(item.table))
                tables << item.table;
        for (const QString &table : tables) {
            std::vector<FieldDef> fields;
            for (const FileItem &item : *items)
                if (item.table == table)
                    fields.push_back(FieldDef{item.column, columnType(item)});
            db->createTable(table, fields);
            auto rs = db->openTable(table);
            rs->addNew();
            for (const FileItem &item : *items)
                if (item.table == table)
                    rs->setField(item.column, fileitems::toColumn(d, item, path));
            rs->update();
        }
    }
}

double medianMs(int runs, const std::function<void()> &step)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        step();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    const int runs = quick ? 15 : 200;

    QTemporaryDir dir;
    const QString target = projectFilePath(dir.path(), QStringLiteral("Bench"));
    const QString seed = QStringLiteral(QUENDRA_SEED_DIR "/Default.vls");
    SharedData data;
    data.Ventiltyp = QStringLiteral("4627_71");
    QString source = QStringLiteral("built here");
    try {
        if (QFileInfo::exists(seed) && QFile::copy(seed, target)) {
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
            source = seed;
        } else {
            buildFile(target, data);
        }
        LoadProgrammParameter(dir.path(), QStringLiteral("Bench"), data);
        LoadParameter(dir.path(), QStringLiteral("Bench"), data);

        const double save = medianMs(runs, [&] { SaveParameter(dir.path(), QStringLiteral("Bench"), data); });
        const double load = medianMs(runs, [&] { LoadParameter(dir.path(), QStringLiteral("Bench"), data); });
        const double saveParams =
            medianMs(runs, [&] { SaveProgrammParameter(dir.path(), QStringLiteral("Bench"), data); });
        const double loadParams =
            medianMs(runs, [&] { LoadProgrammParameter(dir.path(), QStringLiteral("Bench"), data); });

        QTextStream out(stdout);
        out << "project file: " << source << ", " << runs << " runs each, median ms\n";
        out << "  SaveParameter          " << QString::number(save, 'f', 3) << "\n";
        out << "  LoadParameter          " << QString::number(load, 'f', 3) << "\n";
        out << "  SaveProgrammParameter  " << QString::number(saveParams, 'f', 3) << "\n";
        out << "  LoadProgrammParameter  " << QString::number(loadParams, 'f', 3) << "\n";
    } catch (const DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
