#include "program_parameters.h"

#include "project_file.h"

#include <memory>

namespace {

const QString kTable = QStringLiteral("_Programmparameter");

std::vector<FileItem> makeItems()
{
    using SD = SharedData;
    const std::pair<const char *, ItemMember> list[] = {
        {"Sprache", &SD::Sprache},
        {"Benutzername", &SD::Benutzername},
        {"KD_Version", &SD::KD_Version},
        {"FormTop", &SD::FormTop},
        {"FormLeft", &SD::FormLeft},
        {"FormHeight", &SD::FormHeight},
        {"DruckProzessdaten", &SD::DruckProzessdaten},
        {"DruckVentildaten", &SD::DruckVentildaten},
        {"DruckStellverhältnis", &SD::DruckStellverhältnis},
        {"DruckRohrleitung", &SD::DruckRohrleitung},
        {"DruckSchalldruck", &SD::DruckSchalldruck},
        {"DruckStoffdaten", &SD::DruckStoffdaten},
    };
    std::vector<FileItem> items;
    for (const auto &[name, member] : list)
        items.push_back(FileItem{kTable, QString::fromUtf8(name), member});
    return items;
}

} // namespace

const std::vector<FileItem> &programParameterItems()
{
    static const std::vector<FileItem> items = makeItems();
    return items;
}

void LoadProgrammParameter(const QString &Pfad, const QString &Datei, SharedData &data)
{
    const QString path = projectFilePath(Pfad, Datei);
    const std::vector<FileItem> &items = programParameterItems();
    std::vector<Variant> values;
    {
        const std::shared_ptr<Database> db = fileitems::openForLoad(path);
        const std::unique_ptr<Recordset> rs = fileitems::openRecord(*db, kTable, path);
        for (const FileItem &item : items)
            values.push_back(fileitems::read(*rs, item, path));
    }
    // A language outside 0 to 5 is kept: the text lookup answers it in English, start-up shows it as German.
    for (std::size_t i = 0; i < items.size(); ++i)
        fileitems::assign(data, items[i], values[i]);
}

void SaveProgrammParameter(const QString &Pfad, const QString &Datei, const SharedData &data)
{
    const QString path = projectFilePath(Pfad, Datei);
    const std::vector<FileItem> &items = programParameterItems();
    std::vector<Variant> values;
    for (const FileItem &item : items)
        values.push_back(fileitems::toColumn(data, item, path));

    fileitems::checkWritable(path);
    const std::shared_ptr<Database> db = Database::open(path, Database::Mode::ReadWrite);
    const std::unique_ptr<Recordset> rs = db->openTable(kTable, Database::Rows::First);
    // One record update is atomic by itself; the transaction keeps it so should the layer write field by field,
    // and holds the file unchanged between the damage check and the write.
    db->beginTransaction();
    try {
        fileitems::checkBeforeSave(*db);
        rs->edit();
        for (std::size_t i = 0; i < items.size(); ++i)
            rs->setField(items[i].column, values[i]);
        rs->update();
        db->commit();
    } catch (...) {
        if (db->inTransaction())
            db->rollback();
        throw;
    }
}
