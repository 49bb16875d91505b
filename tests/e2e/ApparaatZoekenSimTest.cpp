// The device search against the real simulator on a pseudo-terminal: a
// line with unit 3 at 38400 bit/s and 1 stop bit and unit 17 at 19200 bit/s
// and 2 stop bits, neither with a fixed parity (a pseudo-terminal carries
// none).
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

#include "SimSupport.h"
#include "model/LanguageTexts.h"
#include "ui/QtText.h"

namespace {

QString Cell(QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item != nullptr ? item->text() : QString();
}

QString Status(const char* key) { return Q(Tekst("AparaatZoeken", key)); }

// Each command the simulator received with the stop bits of the line then,
// from its log ("line 9600 8 N 2" notes each change of the settings).
std::vector<std::pair<QString, int>> CommandsWithStopBits(const QString& logPath) {
  std::vector<std::pair<QString, int>> out;
  QFile file(logPath);
  if (!file.open(QIODevice::ReadOnly)) return out;
  int stopBits = 0;
  for (const QByteArray& raw : file.readAll().split('\n')) {
    const QString line = QString::fromUtf8(raw);
    const QStringList words = line.split(' ');
    if (words.size() >= 6 && words[1] == "line") stopBits = words[5].toInt();
    if (words.size() >= 3 && words[1] == "rx") out.push_back({line.section('"', 1, 1).remove("\\r"), stopBits});
  }
  return out;
}

}  // namespace

class ApparaatZoekenSimTest : public QObject, protected SimHarness {
  Q_OBJECT

  TFormApparaatZoeken& Search() { return *FormApparaatZoeken; }

  // Runs `step` from the search window's own event loop every few ms until
  // it returns true; the window is closed (failing the test) after timeoutMs.
  void WhileShown(std::function<bool()> step, int timeoutMs) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [timer, step] {
      if (step()) timer->stop();
    });
    timer->start(2);
    QTimer::singleShot(timeoutMs, this, [this, timer] {
      timer->stop();
      if (Search().isVisible()) Search().reject();
    });
  }

private slots:
  void init() {
    QVERIFY(StartWithSimulator({"--unit", "3:VQ22:38400:1", "--unit", "17:VQ20:19200:2"}));
    Main().Timer1->stop();
  }
  void cleanup() {
    if (FormApparaatZoeken != nullptr && Search().isVisible()) Search().reject();
    StopAll();
  }

  void findsBothUnitsAndConnectsToTheChosenOne() {
    int phase = 0;
    QStringList rows[2];
    WhileShown(
        [&] {
          QTableWidget* grid = Search().StringGrid1;
          switch (phase) {
            case 0:
              Search().RB_stopbits_auto->setChecked(true);
              Search().ComboBaudRate->setCurrentIndex(0);
              QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
              ++phase;
              return false;
            case 1:
            case 2: {
              const int row = phase - 1;
              if (Cell(grid, row, 1).isEmpty()) return false;
              for (int c = 0; c < 5; ++c) rows[row] << Cell(grid, row, c);
              ++phase;
              if (phase == 2) QTest::mouseClick(Search().CmdVerder, Qt::LeftButton);
              return false;
            }
            default:
              SaveScreenshot(Search(), "device-search-simulator");
              grid->setCurrentCell(0, 0);  // unit 17
              QTest::mouseClick(Search().CmdOK, Qt::LeftButton);
              return true;
          }
        },
        90000);
    Main().findChild<QAction*>("VQ20zoeken")->trigger();
    QCOMPARE(phase, 3);
    // Unit 17 answers first, at 19200 with 2 stop bits; then unit 3.
    QCOMPARE(rows[0].value(0), QString("17"));
    QVERIFY2(rows[0].value(1).startsWith("VQ20"), qPrintable(rows[0].value(1)));
    QCOMPARE(rows[0].value(1).count("   "), 2);
    QCOMPARE(rows[0].mid(2), (QStringList{"19200", "Even", "2"}));
    QCOMPARE(rows[1].value(0), QString("03"));
    QVERIFY(rows[1].value(1).startsWith("VQ22"));
    QCOMPARE(rows[1].mid(2), (QStringList{"38400", "Even", "1"}));
    // OK: the main window has the unit and the line settings and identifies it.
    QCOMPARE(Main().UnitNumber(), 17);
    QCOMPARE(Main().Port().Baudrate(), TBaudrate::br19200);
    QCOMPARE(Main().Port().FrameStopbits(), TStopBit::sb_2);
    QVERIFY(Main().Port().Active());
    QTRY_VERIFY_WITH_TIMEOUT(!Main().StatusPanels[4]->text().isEmpty(), 10000);
    QVERIFY(Main().StatusPanels[2]->text().startsWith("VQ20"));
    Spin(100);
    QCOMPARE(Main().StatusPanels[1]->text(), QString("19200,E,8,2"));
    // Unit 3, still selected at 38400, was deselected there first.
    const QStringList commands = ReceivedCommands(log_);
    QCOMPARE(commands.mid(commands.size() - 5), (QStringList{"sc 32", "sc 17", "rt", "rh", "rx"}));
  }

  void withBothGroupsOnAutoParityVariesInnermostThenStopBits() {
    WhileShown(
        [&] {
          if (!Search().CmdStop->isEnabled()) {
            Search().RB_parity_auto->setChecked(true);
            Search().RB_stopbits_auto->setChecked(true);
            QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
            return false;
          }
          if (Search().PanelApparaatNo->text() != "2") return false;
          QTest::mouseClick(Search().CmdStop, Qt::LeftButton);
          return true;
        },
        30000);
    QTimer::singleShot(0, this, [this] {
      QTRY_COMPARE_WITH_TIMEOUT(Search().PanelZoekTekst->text(), Status("PanelTekst1"), 10000);
      Search().reject();
    });
    Main().findChild<QAction*>("VQ20zoeken")->trigger();
    const auto heard = CommandsWithStopBits(log_);
    QVERIFY(heard.size() >= 13);
    const std::vector<std::pair<QString, int>> first(heard.begin(), heard.begin() + 13);
    const std::vector<std::pair<QString, int>> expected = {
        {"sc 0", 1}, {"sc 0", 1}, {"sc 0", 1}, {"sc 0", 2}, {"sc 0", 2}, {"sc 0", 2}, {"sc 1", 1},
        {"sc 1", 1}, {"sc 1", 1}, {"sc 1", 2}, {"sc 1", 2}, {"sc 1", 2}, {"sc 2", 1}};
    QCOMPARE(first, expected);
  }

  void stopDuringTheTypeQueriesActsAfterTheRhReplyAndListsNothing() {
    bool stopped = false;
    WhileShown(
        [&] {
          if (!Search().CmdStop->isEnabled()) {
            Search().ComboBaudRate->setCurrentIndex(1);  // 19200
            Search().RB_stopbits_auto->setChecked(true);
            QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
            return false;
          }
          // The type queries of unit 17 are under way once it heard "rt".
          if (!ReceivedCommands(log_).contains("rt")) return false;
          QTest::mouseClick(Search().CmdStop, Qt::LeftButton);
          stopped = true;
          return true;
        },
        30000);
    QTimer::singleShot(0, this, [this] {
      QTRY_COMPARE_WITH_TIMEOUT(Search().PanelZoekTekst->text(), Status("PanelTekst1"), 10000);
      Spin(300);
      Search().reject();
    });
    Main().findChild<QAction*>("VQ20zoeken")->trigger();
    QVERIFY(stopped);
    const QStringList commands = ReceivedCommands(log_);
    // Cancel deselects unit 17, left selected at 19200 with 2 stop bits.
    QCOMPARE(commands.mid(commands.size() - 4), (QStringList{"sc 17", "rt", "rh", "sc 32"}));
    QCOMPARE(Cell(Search().StringGrid1, 0, 1), QString());
  }

  void cancelRestoresTheSavedSettings() {
    TRkComm& port = Main().Port();
    const TBaudrate baudrate = port.Baudrate();
    const TParityBit parity = port.FrameParitybit();
    const TStopBit stopBits = port.FrameStopbits();
    WhileShown(
        [&] {
          if (!Search().CmdStop->isEnabled()) {
            Search().ComboBaudRate->setCurrentIndex(1);
            Search().RB_stopbits_auto->setChecked(true);
            Search().RB_parity_auto->setChecked(true);
            QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
            return false;
          }
          if (Search().PanelApparaatNo->text() != "3") return false;
          QTest::mouseClick(Search().CmdCancel, Qt::LeftButton);
          return true;
        },
        30000);
    Main().findChild<QAction*>("VQ20zoeken")->trigger();
    QCOMPARE(port.Baudrate(), baudrate);
    QCOMPARE(port.FrameParitybit(), parity);
    QCOMPARE(port.FrameStopbits(), stopBits);
  }
};

QTEST_MAIN(ApparaatZoekenSimTest)
#include "ApparaatZoekenSimTest.moc"
