// The device search on the virtual line (exact, simulated timing): the
// order of the probes, the listing of a found device, Stop, Cancel, OK and
// the growing grid.
#include <QAction>
#include <QEventLoop>
#include <functional>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <atomic>
#include <condition_variable>
#include <set>

#include "GuiTestSupport.h"
#include "model/LanguageTexts.h"
#include "ui/QtText.h"

namespace {

const QColor kLit(255, 255, 151);

// What the device heard: the command and the line settings it came at.
struct Heard {
  std::string command;
  LineSettings line;
};

QString Status(const char* key) { return Q(Tekst("AparaatZoeken", key)); }

QString Cell(QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item != nullptr ? item->text() : QString();
}

// Runs the event loop as the program does until `done` holds (QTRY's waits
// sleep between rounds, which slows every hand-over of the worker down).
bool Until(const std::function<bool()>& done, int timeoutMs) {
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  poll.start(1);
  if (!done()) loop.exec();
  return done();
}

VirtualReply Echo(const std::string& request) {
  return VirtualReply::Answer(request.substr(0, request.find('\r')) + "\r\n");
}

}  // namespace

class ApparaatZoekenTest : public QObject, protected ToolHarness {
  Q_OBJECT

  TFormApparaatZoeken& Search() { return *FormApparaatZoeken; }

  // A line whose units in `units` answer (any settings), with type texts.
  void UnitsAnswer(std::set<int> units) {
    // The line holds its responder, so the responder holds the line weakly.
    line_->SetResponder([units, heard = heard_, weakLine = std::weak_ptr(line_)](const std::string& r) {
      if (const auto line = weakLine.lock()) {
        std::lock_guard lock(heard->first);
        heard->second.push_back({r.substr(0, r.find('\r')), line->Settings()});
      }
      if (r.rfind("sc ", 0) == 0) return units.count(std::stoi(r.substr(3))) ? Echo(r) : VirtualReply::Silence();
      if (r == "rt\r") return VirtualReply::Answer("rt VQ22 V2.14\r\n");
      if (r == "rh\r") return VirtualReply::Answer("rh HW 3.1\r\n");
      if (r == "rx\r") return VirtualReply::Answer("rx SN 20261208\r\n");
      return VirtualReply::Silence();
    });
  }
  std::vector<Heard> HeardProbes() {
    std::lock_guard lock(heard_->first);
    std::vector<Heard> probes;
    for (const Heard& h : heard_->second)
      if (h.command.rfind("sc ", 0) == 0) probes.push_back(h);
    return probes;
  }
  void ShowSearch() {
    Search().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Search()));
  }
  void WaitFound(int rows) {
    QVERIFY(Until([&] { return !Cell(Search().StringGrid1, rows - 1, 1).isEmpty(); }, 10000));
    QCOMPARE(Search().PanelZoekTekst->text(), Status("PanelTekst3"));
  }

  std::shared_ptr<std::pair<std::mutex, std::vector<Heard>>> heard_;

private slots:
  void init() {
    Reset();
    heard_ = std::make_shared<std::pair<std::mutex, std::vector<Heard>>>();
    Start();
  }
  void cleanup() {
    if (FormApparaatZoeken != nullptr && Search().isVisible()) Search().reject();
    Stop();
  }

  void probesParityInnermostThenStopBitsThenUnitThenBaudRate() {
    UnitsAnswer({});
    ShowSearch();
    Search().RB_parity_auto->setChecked(true);
    Search().RB_stopbits_auto->setChecked(true);
    QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
    QVERIFY(Until([&] { return Search().PanelZoekTekst->text() == Status("PanelTekst2"); }, 60000));
    const std::vector<Heard> probes = HeardProbes();
    QCOMPARE(probes.size(), std::size_t{5 * 32 * 6});
    const std::vector<std::tuple<std::string, char, int>> first = {
        {"sc 0", 'N', 1}, {"sc 0", 'O', 1}, {"sc 0", 'E', 1}, {"sc 0", 'N', 2},
        {"sc 0", 'O', 2}, {"sc 0", 'E', 2}, {"sc 1", 'N', 1}, {"sc 1", 'O', 1}};
    for (std::size_t i = 0; i < first.size(); ++i) {
      QCOMPARE(probes[i].command, std::get<0>(first[i]));
      QCOMPARE(ParityLetter(probes[i].line.parity), std::get<1>(first[i]));
      QCOMPARE(StopBitsValue(probes[i].line.stopBits), std::get<2>(first[i]));
      QCOMPARE(probes[i].line.baudrate, TBaudrate::br9600);
    }
    QCOMPARE(probes[191].command, std::string("sc 31"));
    QCOMPARE(probes[192].command, std::string("sc 0"));
    QCOMPARE(probes[192].line.baudrate, TBaudrate::br19200);
    QCOMPARE(probes.back().line.baudrate, TBaudrate::br57600);
    // Finished: a new search can be started, there is nothing to continue.
    QVERIFY(Search().CmdStartZoeken->isEnabled());
    QVERIFY(!Search().CmdVerder->isEnabled());
    QVERIFY(!Search().CmdStop->isEnabled());
  }

  void keepingThePortsFramingProbesEachUnitOncePerRate() {
    UnitsAnswer({});
    Main().Port().SetFrameParitybit(TParityBit::Even);
    Main().Port().SetFrameStopbits(TStopBit::sb_2);
    ShowSearch();
    Search().ComboBaudRate->setCurrentIndex(3);  // 38400
    QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
    QVERIFY(Until([&] { return Search().PanelZoekTekst->text() == Status("PanelTekst2"); }, 30000));
    const std::vector<Heard> probes = HeardProbes();
    QCOMPARE(probes.size(), std::size_t{5 * 32});
    const TBaudrate cycle[] = {TBaudrate::br38400, TBaudrate::br57600, TBaudrate::br9600, TBaudrate::br19200,
                               TBaudrate::br28800};
    for (std::size_t i = 0; i < probes.size(); ++i) {
      QCOMPARE(probes[i].command, ProbeCommand(static_cast<int>(i % 32)));
      QCOMPARE(probes[i].line.baudrate, cycle[i / 32]);
      QCOMPARE(probes[i].line.parity, TParityBit::Even);
      QCOMPARE(probes[i].line.stopBits, TStopBit::sb_2);
    }
  }

  void aFoundDeviceIsListedWithItsTypeTextsAndTheSearchPauses() {
    UnitsAnswer({7});
    ShowSearch();
    QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
    WaitFound(1);
    QTableWidget* grid = Search().StringGrid1;
    QCOMPARE(Cell(grid, 0, 0), QString("07"));
    QCOMPARE(Cell(grid, 0, 1), QString("VQ22 V2.14   HW 3.1   SN 20261208"));
    QCOMPARE(Cell(grid, 0, 2), QString("9600"));
    QCOMPARE(Cell(grid, 0, 3), QString("Odd"));  // the main window's port as laid out
    QCOMPARE(Cell(grid, 0, 4), QString("1"));
    QCOMPARE(Search().PanelApparaatNo->text(), QString("7"));
    QCOMPARE(Search().PanelBaudtare->text(), QString("9600 bit/s"));
    QCOMPARE(Search().Gauge1->value(), 7);
    QCOMPARE(Search().ParityPanels[1]->palette().color(QPalette::Window), kLit);
    QVERIFY(Search().ParityPanels[0]->palette().color(QPalette::Window) != kLit);
    QCOMPARE(Search().StopBitsPanels[0]->palette().color(QPalette::Window), kLit);
    for (QWidget* w : std::initializer_list<QWidget*>{Search().CmdOK, Search().CmdVerder, Search().CmdStartZoeken,
                                                      Search().ComboBaudRate, Search().RB_parity_auto})
      QVERIFY(w->isEnabled());
    // Paused: nothing more is sent until the user continues.
    const std::size_t sent = line_->RequestCount();
    QTest::qWait(200);
    QCOMPARE(line_->RequestCount(), sent);
    QCOMPARE(Commands().back(), std::string("rx"));
    SaveScreenshot(Search(), "device-search-found");
  }

  void stopDuringTheTypeQueriesActsAfterTheRhReply() {
    std::mutex mutex;
    std::condition_variable released;
    bool release = false;
    std::atomic<bool> rhHeard{false};
    line_->SetResponder([&](const std::string& r) {
      if (r == "sc 0\r") return Echo(r);
      if (r == "rt\r") return VirtualReply::Answer("rt VQ22 V2.14\r\n");
      if (r == "rh\r") {
        rhHeard = true;
        std::unique_lock lock(mutex);
        released.wait(lock, [&] { return release; });
        return VirtualReply::Answer("rh HW 3.1\r\n");
      }
      return Echo(r);
    });
    ShowSearch();
    QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
    QTRY_VERIFY(rhHeard.load());
    QTest::mouseClick(Search().CmdStop, Qt::LeftButton);
    {
      std::lock_guard lock(mutex);
      release = true;
    }
    released.notify_all();
    QVERIFY(Until([&] { return Search().PanelZoekTekst->text() == Status("PanelTekst1"); }, 10000));
    QCOMPARE(Commands(), (std::vector<std::string>{"sc 0", "rt", "rh"}));
    QCOMPARE(Cell(Search().StringGrid1, 0, 1), QString());
    QVERIFY(Search().CmdVerder->isEnabled());
    QVERIFY(!Search().CmdOK->isEnabled());
    // Continuing goes on with the next combination.
    QTest::mouseClick(Search().CmdVerder, Qt::LeftButton);
    QVERIFY(Until([&] { return Commands().size() > 3; }, 10000));
    QCOMPARE(Commands()[3], std::string("sc 1"));
  }

  void stopDuringTheProbesActsAtTheNextTimeOut() {
    UnitsAnswer({});
    ShowSearch();
    QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
    QTest::mouseClick(Search().CmdStop, Qt::LeftButton);
    QVERIFY(Until([&] { return Search().PanelZoekTekst->text() == Status("PanelTekst1"); }, 10000));
    const std::size_t sent = line_->RequestCount();
    QTest::qWait(200);
    QCOMPARE(line_->RequestCount(), sent);
  }

  void okHandsTheUnitAndLineSettingsToTheMainWindow_data() {
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("OK") << false;
    QTest::newRow("double-click") << true;
  }
  void okHandsTheUnitAndLineSettingsToTheMainWindow() {
    QFETCH(bool, doubleClick);
    UnitsAnswer({3});
    bool listed = false;
    QTimer::singleShot(0, this, [&] {
      QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
      QTimer* wait = new QTimer(this);
      connect(wait, &QTimer::timeout, this, [&, wait] {
        if (Cell(Search().StringGrid1, 0, 1).isEmpty()) return;
        wait->stop();
        wait->deleteLater();
        listed = true;
        // OK with an empty row selected does nothing.
        Search().StringGrid1->setCurrentCell(1, 0);
        QTest::mouseClick(Search().CmdOK, Qt::LeftButton);
        QVERIFY(Search().isVisible());
        Search().StringGrid1->setCurrentCell(0, 0);
        if (doubleClick) {
          QTableWidget* grid = Search().StringGrid1;
          const QRect cell = grid->visualItemRect(grid->item(0, 1));
          // The view takes a double click only on the cell it was pressed on.
          QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cell.center());
          QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        } else {
          QTest::mouseClick(Search().CmdOK, Qt::LeftButton);
        }
      });
      wait->start(5);
    });
    // A window that never closes fails the test instead of hanging it.
    QTimer::singleShot(15000, this, [this] {
      if (Search().isVisible()) Search().reject();
    });
    Main().SpinEditUnitSelect->setValue(20);
    Main().findChild<QAction*>("VQ20zoeken")->trigger();
    QVERIFY(listed);
    QVERIFY(!Search().isVisible());
    QCOMPARE(Main().UnitNumber(), 3);
    // The main window opens the port again and identifies the chosen unit.
    QVERIFY(Main().Port().Active());
    QVERIFY(WaitIdentified());
    const auto commands = Commands();
    const std::vector<std::string> identification(commands.end() - 4, commands.end());
    QCOMPARE(identification, (std::vector<std::string>{"sc 3", "rt", "rh", "rx"}));
  }

  void cancelRestoresTheSavedSettingsAndLeavesThePortClosed() {
    UnitsAnswer({0});
    TRkComm& port = Main().Port();
    port.SetBaudrate(TBaudrate::br115200);
    port.SetFrameParitybit(TParityBit::Even);
    port.SetFrameStopbits(TStopBit::sb_2);
    ShowSearch();
    Search().ComboBaudRate->setCurrentIndex(1);
    Search().RB_parity_auto->setChecked(true);
    Search().RB_stopbits_auto->setChecked(true);
    QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
    WaitFound(1);
    QCOMPARE(port.Baudrate(), TBaudrate::br19200);
    QTest::mouseClick(Search().CmdCancel, Qt::LeftButton);
    // Unit 0 is still selected at 19200: it is deselected there first, or it
    // would answer the traffic at 115200 with stray bytes.
    QVERIFY(Until([&] { return !Search().isVisible(); }, 10000));
    QCOMPARE(Commands().back(), std::string("sc 32"));
    QCOMPARE(HeardProbes().back().line.baudrate, TBaudrate::br19200);
    QVERIFY(!port.Active());
    QCOMPARE(port.Baudrate(), TBaudrate::br115200);
    QCOMPARE(port.FrameParitybit(), TParityBit::Even);
    QCOMPARE(port.FrameStopbits(), TStopBit::sb_2);
  }

  void moreThan31DevicesGrowTheGrid() {
    std::set<int> all;
    for (int u = 0; u <= 31; ++u) all.insert(u);
    UnitsAnswer(all);
    ShowSearch();
    QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
    for (int found = 1; found <= 33; ++found) {
      WaitFound(found);
      QTest::mouseClick(Search().CmdVerder, Qt::LeftButton);
    }
    QTableWidget* grid = Search().StringGrid1;
    QVERIFY(grid->rowCount() >= 33);
    QCOMPARE(Cell(grid, 31, 0), QString("31"));
    QCOMPARE(Cell(grid, 32, 0), QString("00"));
    QCOMPARE(Cell(grid, 32, 2), QString("19200"));
    // A new search starts with the grid as laid out.
    QTest::mouseClick(Search().CmdStop, Qt::LeftButton);
    QVERIFY(Until([&] { return Search().PanelZoekTekst->text() == Status("PanelTekst1"); }, 10000));
    QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
    QCOMPARE(grid->rowCount(), 31);
    QCOMPARE(Cell(grid, 1, 0), QString());
  }

  void aPortClosedUnderTheSearchIsReportedAsAnAbortedExchange() {
    line_->SetResponder([](const std::string&) { return VirtualReply::Hold(); });
    MessageBoxCatcher boxes;
    ShowSearch();
    QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
    QTRY_COMPARE(line_->RequestCount(), std::size_t{1});
    Main().Port().Close();
    QTRY_COMPARE(boxes.Count(), 1u);
    QCOMPARE(boxes.Seen_()[0].title, QString("Comm Error"));
    QCOMPARE(boxes.Seen_()[0].text, QString("Windows Comm error! "));
    // The search can be started again, which opens the port.
    QVERIFY(Search().CmdStartZoeken->isEnabled());
    QVERIFY(!Search().CmdVerder->isEnabled());
    // Closing the port itself (Cancel) is no aborted exchange.
    QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
    QTRY_COMPARE(line_->RequestCount(), std::size_t{2});
    QTest::mouseClick(Search().CmdCancel, Qt::LeftButton);
    QTest::qWait(100);
    QCOMPARE(boxes.Count(), 1u);
  }

  void textsComeFromTheLanguageFile_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("Dutch") << 0;
    QTest::newRow("English") << 1;
    QTest::newRow("German") << 2;
  }
  void textsComeFromTheLanguageFile() {
    QFETCH(int, language);
    Stop();
    folder_->Write("application.ini", "[Opties]\nTaal=" + QByteArray::number(language) + "\n");
    StartIn();
    UnitsAnswer({0, 1});
    ShowSearch();
    QCOMPARE(Search().windowTitle(), Status("Caption"));
    QCOMPARE(Search().StringGrid1->horizontalHeaderItem(1)->text(), Status("KolomTekst1"));
    QCOMPARE(Search().RB_stopbits_auto->text(), Status("RadioAutoSelect"));
    QCOMPARE(Search().CmdStartZoeken->text(), Status("CmdStart"));
    QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
    WaitFound(1);
    QTest::mouseClick(Search().CmdVerder, Qt::LeftButton);
    WaitFound(2);
    SaveScreenshot(Search(), "device-search-" + QString::number(language));
  }

  void withoutALanguageFileTheLaidOutCaptionsStay() {
    Stop();
    Start({});
    UnitsAnswer({0});
    ShowSearch();
    QCOMPARE(Search().windowTitle(), QString("FormApparaatZoeken"));
    QCOMPARE(Search().RB_parity_auto->text(), QString("auto wisselen"));
    QTest::mouseClick(Search().CmdStartZoeken, Qt::LeftButton);
    QVERIFY(Until([&] { return !Cell(Search().StringGrid1, 0, 1).isEmpty(); }, 10000));
    QCOMPARE(Search().PanelZoekTekst->text(), QString());
  }
};

QTEST_MAIN(ApparaatZoekenTest)
#include "ApparaatZoekenTest.moc"
