// The flow recalculation keeps the reduction of the valve row it computes with, as the sizing recalculation does,
// so that the flow sheet's printout names the valve's own reduction.
#include "engine/flow_recalc.h"
#include "engine/flow_sheet_access.h"
#include "engine/main_window_access.h"
#include "platform/forms/scripted_ui_services.h"
#include "state/shared_data.h"
#include "support/fixture_catalogue.h"
#include "support/program_state.h"
#include "support/stand_in_windows.h"

#include <QTemporaryDir>
#include <QtTest>

class TestFlowReduction : public QObject {
    Q_OBJECT

private slots:
    void reductionOfTheRowUsed_data();
    void reductionOfTheRowUsed();
};

void TestFlowReduction::reductionOfTheRowUsed_data()
{
    QTest::addColumn<QString>("DN");
    QTest::addColumn<float>("Kvs");
    QTest::addColumn<float>("Reduktion");

    QTest::newRow("full bore") << "25" << 10.0f << 0.0f;
    QTest::newRow("reduced trim") << "25" << 6.3f << 40.0f;
    QTest::newRow("other size") << "50" << 25.0f << 63.0f;
    // A valve the series does not hold: nothing computed, the reduction as it was.
    QTest::newRow("not in the series") << "40" << 16.0f << 99.0f;
}

void TestFlowReduction::reductionOfTheRowUsed()
{
    QFETCH(QString, DN);
    QFETCH(float, Kvs);
    QFETCH(float, Reduktion);
    testsupport::resetProgramState();
    QTemporaryDir dir;
    ScriptedUiServices ui;
    UiServicesScope scope(ui);
    using Row = testsupport::CatalogueRow;
    std::vector<Row> rows = {Row{25, "1\"", 1, 10.0f, 0.0f}, Row{25, "1\"", 1, 6.3f, 40.0f},
                             Row{50, "2\"", 1, 40.0f, 0.0f}, Row{50, "2\"", 1, 25.0f, 63.0f}};
    testsupport::installCatalogue(dir.path(), "TEST", rows, testsupport::flatNoiseRows(0.5));
    testsupport::MainWindowStub window;
    testsupport::FlowSheetStub sheet;
    SharedData &s = shared();
    s.Modus = 1;
    s.Medium = 1;
    s.Zustand = 1;
    s.Kennlinie = 1;
    s.DNVentil = DN;
    s.KvsCv = Kvs;
    s.Reduktion = 99.0f; // left by an earlier sizing
    setActiveFlowSheet(&sheet.access);
    setMainWindowAccess(&window.access);
    sheet.showInputs(10, 6, 20, 70);
    calcDurchfluss();
    QCOMPARE(s.Reduktion, Reduktion);
    testsupport::resetProgramState();
}

QTEST_MAIN(TestFlowReduction)
#include "test_flow_reduction.moc"
