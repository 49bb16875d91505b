// Renders the main window offscreen to PNG files: offline, and online with
// live values and I/O running against the simulator on a pseudo-terminal. Run
// by scripts/screenshots.sh at 100 % and 200 % (QT_SCALE_FACTOR); without
// VQ2X_SCREENSHOT_DIR it only checks that the window renders.
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "GuiTestSupport.h"
#include "shell/IndicatorBox.h"

class Screenshots : public QObject {
  Q_OBJECT

  void Save(QWidget& window, const QString& name) { SaveScreenshot(window, name); }

private slots:
  void mainWindow() {
    ResetSharedState();
    ProgramFolder folder(kAllDataFiles);
    QProcess sim;
    sim.start(VQ2X_SIM_PATH, {"--pty", "--no-stdin", "--unit", "0:VQ22"});
    QVERIFY(sim.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 10000);
    const QByteArray port = sim.readLine().trimmed();
    folder.Write("application.ini", "[Serieel]\nbaudrate=6\nparity=1\nunit_no=0\n[Opties]\nSnelleOverdracht=1\nTaal=" +
                                        qgetenv("VQ2X_SCREENSHOT_LANGUAGE").left(1) + "\n[Poorten]\nCOM1=" + port + "\n");
    MainWindowSetup setup;
    setup.programDir = folder.Path();
    setup.firstArgument = "kwartzeil";
    WindowSet windows(setup);
    TFormMain& main = windows.Main();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    Save(main, "main-window-offline");

    // Parameters as a commissioned device might have them.
    GlobalVar().ParameterTable[203] = 2;
    GlobalVar().ParameterTable[246] = 1;
    GlobalVar().ParameterTable[248] = 1;
    GlobalVar().ParameterTable[242] = 1;
    GlobalVar().ParameterTable[244] = 1;
    for (int p : {252, 253, 254, 255}) GlobalVar().ParameterTable[static_cast<std::size_t>(p)] = 1;
    main.OutputFunctieTeksten();
    QTest::mouseClick(main.CmdSelectUnit, Qt::LeftButton);
    QTRY_VERIFY(!main.StatusPanels[4]->text().isEmpty());
    QTest::mouseClick(main.CmdActual, Qt::LeftButton);
    QTest::mouseClick(main.CmdInUit, Qt::LeftButton);
    main.EditZenden->setText("rh");
    QTest::mouseClick(main.CmdTerminalZenden, Qt::LeftButton);
    QTRY_VERIFY(!main.MemoReceive->toPlainText().isEmpty());
    QTRY_VERIFY(!main.ValuePanels[0]->text().isEmpty());
    QTRY_VERIFY(main.OutputBoxes[0]->CurrentState() != IndicatorBox::State::Neutral);
    // Let the axis move a little and the outputs switch.
    QEventLoop loop;
    QTimer::singleShot(2500, &loop, &QEventLoop::quit);
    loop.exec();
    Save(main, "main-window-online");
    main.close();
    sim.terminate();
    sim.waitForFinished(5000);
  }
};

QTEST_MAIN(Screenshots)
#include "Screenshots.moc"
