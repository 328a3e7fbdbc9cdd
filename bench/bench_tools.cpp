// The characteristic display of the user-defined valve shipped in the seed catalogue: median times in milliseconds
// of its data (the 18 input cells, the window's table and curve, the workbook's cells and formulas) and of writing
// the workbook file. Aim: the data far below 1 ms, the file below 50 ms.

#include "platform/workbook/xlsx_writer.h"
#include "state/shared_data.h"
#include "support/program_state.h"
#include "tools/characteristic_display.h"

#include "common.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = bench::quick(argc, argv) ? 5 : 200;
    QTextStream out(stdout);

    SharedData &d = shared();
    d.dbKenndaten = Database::open(testsupport::seedFile(QStringLiteral("dbKenndaten.mdb")), Database::Mode::ReadOnly);
    d.Ventiltyp = QStringLiteral("9999");
    d.rsVentil = d.dbKenndaten->openTable(d.Ventiltyp);
    const Recordset &row = *d.rsVentil;
    d.DNVentil = row.field("DN").toString();
    d.KvsCv = row.field("Kvs").toFloat();
    d.Kennlinie = static_cast<int>(row.field("Kennlinie").toInt());
    d.Bezeichnung = Variant(QStringLiteral("Eigenbau"));
    const char *columns[12] = {"a0", "a1", "a2", "a3", "a4", "a5", "aFL", "bFL", "cFL", "axT", "bxT", "cxT"};
    Variant *targets[12] = {&d.A0, &d.A1, &d.A2, &d.A3, &d.A4, &d.A5, &d.AFL, &d.BFL, &d.CFL, &d.AxT, &d.BxT, &d.CxT};
    for (int i = 0; i < 12; ++i)
        *targets[i] = row.field(columns[i]);

    using namespace kenndaten;
    std::size_t sink = 0;
    const double data = bench::medianMs(runs, [&] {
        const Parameter p = parameterZellen(Kurve::Kv);
        const TableCurve window = anzeige(p, Kurve::Kv);
        const xlsx::Workbook book = arbeitsmappe(p, Kurve::Kv);
        sink += window.rows.size() + book.sheets.size();
    });

    QTemporaryDir dir;
    const xlsx::Workbook book = arbeitsmappe(parameterZellen(Kurve::Kv), Kurve::Kv);
    bool written = true;
    const double file = bench::medianMs(runs, [&] {
        written = xlsx::write(book, dir.filePath(QStringLiteral("Kenndaten.xlsx"))) && written;
    });

    out << "characteristic display data (cells, table, workbook model): " << data << " ms median\n";
    out << "characteristic workbook written (.xlsx, 5 sheets, 4 charts): " << file << " ms median\n";
    d.rsVentil.reset();
    d.dbKenndaten.reset();
    return written && sink > 0 ? 0 : 1;
}
