// The service parameter window, driven through its field, list and buttons,
// with a catalogue of its own and the shipped language files, on the
// virtual line.
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "GuiTestSupport.h"
#include "ReplyRows.h"
#include "model/LanguageTexts.h"
#include "model/ParameterGrid.h"
#include "ui/QtText.h"

namespace {

// 10: 0 .. 999; 11: -100 .. 100; 12: two decimals, up to 999,99; 13: a
// choice; 14: "type" 2, also a choice here; 15: two decimals, wide range.
const QByteArray kCatalogue =
    "[010]\nnaam0=Tien\ntype=0\ndec=0\nmin=0\nmax=999\ndefault=5\n"
    "[011]\nnaam0=Elf\ntype=0\ndec=0\nmin=-100\nmax=100\ndefault=-7\n"
    "[012]\nnaam0=Twaalf\ntype=0\ndec=2\nmin=0\nmax=99999\ndefault=150\n"
    "[013]\nnaam0=Dertien\ntype=1\nopties0=Uit,Aan\nmin=0\nmax=1\ndefault=1\n"
    "[014]\nnaam0=Veertien\ntype=2\nopties0=A,B,C\nmin=0\nmax=2\ndefault=2\n"
    "[015]\nnaam0=Vijftien\ntype=0\ndec=2\nmin=-99999999\nmax=99999999\ndefault=0\n";

QString Text(const char* key) { return Q(Tekst("ParamService", key, "")); }

bool Red(QLabel* label) { return label->palette().color(QPalette::WindowText) == QColor(Qt::red); }

}  // namespace

class ParamServiceTest : public QObject, protected ToolHarness {
  Q_OBJECT

  TFormParamService& Service() { return *FormParamService; }

  void StartWithCatalogue() {
    folder_ = std::make_unique<ProgramFolder>(QStringList{"Taal0.ini", "Taal1.ini", "Taal2.ini", "ParNo.txt"});
    folder_->Write("Parameters.txt", kCatalogue);
    StartIn();
  }
  // Hands parameter `number` over, as the editor does for its selected row.
  void Open(int number) {
    GlobalVar().SelectedParameter =
        SelectParameter(EditorCataloguesOf(GlobalVar()), number, GlobalVar().ParameterTable).Parameter;
    Service().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Service()));
  }
  void Answer(const std::string& code, VirtualReply reply) {
    line_->SetResponder([device = device_, code, reply](const std::string& r) {
      return r.rfind(code, 0) == 0 ? reply : (*device)(r);
    });
  }

private slots:
  void init() { Reset(); }
  void cleanup() {
    if (FormParamService != nullptr) Service().reject();
    Stop();
  }

  void opensWithTheHandedOverParameter() {
    StartWithCatalogue();
    GlobalVar().ParameterTable[12] = 1234;
    Open(12);
    QCOMPARE(Service().windowTitle(), QString("[012]   Twaalf"));
    QCOMPARE(Service().PanelMin->text(), QString("0,00"));
    QCOMPARE(Service().PanelMax->text(), QString("999,99"));
    QCOMPARE(Service().PanelDefault->text(), QString("1,50"));
    QCOMPARE(Service().MaskEditParData->text(), QString("12,34"));
    QVERIFY(Service().MaskEditParData->isVisible() && !Service().ComboParData->isVisible());
    QCOMPARE(Service().LabelParData->x(), 134);
    QCOMPARE(Service().Decimals, 2);
    QCOMPARE(Service().MaxIntDigits, 3);
    QCOMPARE(Service().LabelMin->text(), Text("LabelMin"));
    QVERIFY(!(Service().windowFlags() & Qt::WindowCloseButtonHint));
    // The port is closed: nothing can be sent.
    QVERIFY(!Service().CmdZenden->isEnabled() && !Service().CmdBerPar->isEnabled());
    QVERIFY(Service().CmdOK->isEnabled());
  }

  void keyFilter_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("caret");  // -1: all selected
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::newRow("minimum 0 takes no sign") << 10 << "5" << 1 << "-" << "5";
    QTest::newRow("minimum -100: sign goes in front") << 11 << "5" << 1 << "-" << "-5";
    QTest::newRow("sign typed in the middle") << 11 << "12" << 1 << "-" << "-12";
    QTest::newRow("nothing in front of the sign") << 11 << "-5" << 0 << "7" << "-5";
    QTest::newRow("fourth integer digit refused") << 12 << "123" << 3 << "4" << "123";
    QTest::newRow("comma accepted") << 12 << "123" << 3 << "," << "123,";
    QTest::newRow("third decimal refused") << 12 << "123,45" << 6 << "6" << "123,45";
    QTest::newRow("point becomes comma") << 12 << "12" << 2 << ".5" << "12,5";
    QTest::newRow("second comma refused") << 12 << "1,5" << 3 << "," << "1,5";
    QTest::newRow("no comma without decimals") << 10 << "5" << 1 << "," << "5";
    QTest::newRow("letters dropped") << 10 << "5" << 1 << "a x" << "5";
    QTest::newRow("typing over a selection") << 10 << "999" << -1 << "42" << "42";
    QTest::newRow("backspace deletes") << 10 << "55" << 2 << "\b" << "5";
  }
  void keyFilter() {
    QFETCH(int, number);
    QFETCH(QString, before);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    StartWithCatalogue();
    Open(number);
    QLineEdit* field = Service().MaskEditParData;
    field->setText(before);
    if (caret < 0)
      field->selectAll();
    else
      field->setCursorPosition(caret);
    for (QChar c : typed) {
      if (c == '\b')
        QTest::keyClick(field, Qt::Key_Backspace);
      else
        QTest::keyClicks(field, QString(c));
    }
    QCOMPARE(field->text(), after);
  }

  void inputTest_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refusal");  // empty: stored
    QTest::addColumn<int>("stored");
    QTest::newRow("above maximum") << 10 << "1000" << "PanelTekst2" << 0;
    QTest::newRow("below minimum") << 11 << "-101" << "PanelTekst2" << 0;
    QTest::newRow("too many digits") << 15 << "12345678,9" << "PanelTekst3" << 0;
    QTest::newRow("empty field is 0") << 10 << "" << "" << 0;
    QTest::newRow("decimals filled up") << 12 << "1,5" << "" << 150;
    QTest::newRow("negative") << 11 << "-100" << "" << -100;
    QTest::newRow("pasted word") << 12 << "1x" << "PanelTekstGeenGetal" << 0;
  }
  void inputTest() {
    QFETCH(int, number);
    QFETCH(QString, text);
    QFETCH(QString, refusal);
    QFETCH(int, stored);
    StartWithCatalogue();
    GlobalVar().ParameterTable[static_cast<std::size_t>(number)] = 77;
    Open(number);
    QLineEdit* field = Service().MaskEditParData;
    // Pasted: the key filter does not see it; the input test does.
    field->clear();
    QApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field->text(), text);
    QTest::mouseClick(Service().CmdOK, Qt::LeftButton);
    if (refusal.isEmpty()) {
      QVERIFY(!Service().isVisible());
      QCOMPARE(GlobalVar().ParameterTable[static_cast<std::size_t>(number)], stored);
    } else {
      QVERIFY(Service().isVisible());
      const char* fallback = refusal == "PanelTekstGeenGetal" ? "Not a valid number" : "";
      QCOMPARE(Service().PanelService->text(), Q(Tekst("ParamService", qPrintable(refusal), fallback)));
      QVERIFY(Red(Service().PanelService));
      QCOMPARE(GlobalVar().ParameterTable[static_cast<std::size_t>(number)], 77);
    }
  }

  void choiceList_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("type 1") << 13 << 1 << QStringList{"0 - Uit", "1 - Aan"};
    QTest::newRow("type 2") << 14 << 0 << QStringList{"0 - A", "1 - B", "2 - C"};
  }
  void choiceList() {
    QFETCH(int, number);
    QFETCH(int, value);
    QFETCH(QStringList, entries);
    StartWithCatalogue();
    GlobalVar().ParameterTable[static_cast<std::size_t>(number)] = value;
    Open(number);
    QComboBox* list = Service().ComboParData;
    QVERIFY(list->isVisible() && !Service().MaskEditParData->isVisible());
    QCOMPARE(Service().LabelParData->x(), 38);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
    QCOMPARE(shown, entries);
    QCOMPARE(list->currentIndex(), value);
    QTest::mouseClick(Service().CmdDefault, Qt::LeftButton);
    QCOMPARE(list->currentIndex(), entries.size() - 1);  // both defaults are the last entry
    QCOMPARE(GlobalVar().ParameterTable[static_cast<std::size_t>(number)], value);  // not stored yet
    QTest::mouseClick(Service().CmdOK, Qt::LeftButton);
    QCOMPARE(GlobalVar().ParameterTable[static_cast<std::size_t>(number)], entries.size() - 1);
  }

  void choiceWithoutSelectionIsNotStored() {
    StartWithCatalogue();
    GlobalVar().ParameterTable[13] = 5;
    Open(13);
    QCOMPARE(Service().ComboParData->currentIndex(), -1);
    QTest::mouseClick(Service().CmdOK, Qt::LeftButton);
    QVERIFY(Service().isVisible());
    QVERIFY(Red(Service().PanelService));
    QVERIFY(!Service().PanelService->text().isEmpty());
    QCOMPARE(GlobalVar().ParameterTable[13], 5);
  }

  void replies_data() {
    QTest::addColumn<bool>("compute");
    QTest::addColumn<QByteArray>("reply");  // empty: silence
    QTest::addColumn<int>("afterMs");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("red");
    QTest::addColumn<bool>("pendingAfter");  // the editor's ParamSentNotLoaded, false before a send, true before bp
    // Status texts as pieces joined by "|": keys of the window's texts, or literal text.
    QTest::newRow("written") << false << QByteArray("wp 10 5\r\n") << 5 << "PanelTekst4" << false << true;
    QTest::newRow("refused") << false << QByteArray("er 7\r\n") << 5 << "(er 7) |PanelTekst6" << true << false;
    QTest::newRow("other echo") << false << QByteArray("rp 10 5\r\n") << 5 << "PanelTekst5" << true << false;
    QTest::newRow("no answer to wp") << false << QByteArray() << 0 << "PanelTekst0" << true << false;
    QTest::newRow("wp answer too late") << false << QByteArray("wp 10 5\r\n") << 600 << "PanelTekst0" << true
                                        << false;
    QTest::newRow("line fault") << false << QByteArray("wp 10 5\r\n") << -1 << "PanelTekst5" << true << false;
    QTest::newRow("computed") << true << QByteArray("bp -1\r\n") << 5 << "PanelTekst10" << false << false;
    QTest::newRow("computed late") << true << QByteArray("bp -1\r\n") << 1500 << "PanelTekst10" << false << false;
    QTest::newRow("compute failed") << true << QByteArray("bp 3\r\n") << 5 << "PanelTekst7| 3 |PanelTekst8" << true
                                    << false;
    QTest::newRow("not a bp answer") << true << QByteArray("wp 1 1\r\n") << 5 << "PanelTekst5" << true << true;
    QTest::newRow("no answer to bp") << true << QByteArray() << 0 << "PanelTekst0" << true << true;
  }
  void replies() {
    QFETCH(bool, compute);
    QFETCH(QByteArray, reply);
    QFETCH(int, afterMs);
    QFETCH(QString, status);
    QFETCH(bool, red);
    QFETCH(bool, pendingAfter);
    StartWithCatalogue();
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
    Answer(compute ? "bp" : "wp", ScriptedReply(reply, afterMs));
    const QString expected = StatusText(status, [](const QString& key) { return Text(qPrintable(key)); });
    FormEditParam->ParamSentNotLoaded = compute;
    Open(10);
    Service().MaskEditParData->setText("5");
    QPushButton* button = compute ? Service().CmdBerPar : Service().CmdZenden;
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(Service().PanelService->text(), expected, 5000);
    QVERIFY(Service().CmdOK->isEnabled() && Service().CmdZenden->isEnabled());
    QCOMPARE(Red(Service().PanelService), red);
    QCOMPARE(FormEditParam->ParamSentNotLoaded, pendingAfter);
    const auto sent = Commands();
    QVERIFY(std::find(sent.begin(), sent.end(), compute ? "bp" : "wp 10 5") != sent.end());
    // The value is stored before it is sent, whatever the device says.
    if (!compute) QCOMPARE(GlobalVar().ParameterTable[10], 5);
  }

  void buttonsWaitForTheAnswer_data() {
    QTest::addColumn<bool>("compute");
    QTest::newRow("send") << false;
    QTest::newRow("compute") << true;
  }
  void buttonsWaitForTheAnswer() {
    QFETCH(bool, compute);
    StartWithCatalogue();
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
    Answer(compute ? "bp" : "wp", VirtualReply::Hold());
    Open(10);
    QTest::mouseClick(compute ? Service().CmdBerPar : Service().CmdZenden, Qt::LeftButton);
    QCOMPARE(Service().PanelService->text(), Text(compute ? "PanelTekst9" : "PanelTekst1"));
    QVERIFY(!Red(Service().PanelService));
    for (QPushButton* b : {Service().CmdOK, Service().CmdZenden, Service().CmdBerPar, Service().CmdDefault,
                           Service().CmdCancel})
      QVERIFY(!b->isEnabled());
    // The line holds from the moment the command is written; released
    // earlier, it would hold for ever.
    const std::string command = compute ? "bp" : "wp 10 0";
    auto written = [&] {
      const auto sent = Commands();
      return std::find(sent.begin(), sent.end(), command) != sent.end();
    };
    QTRY_VERIFY(written());
    line_->Release();
    QTRY_VERIFY_WITH_TIMEOUT(Service().CmdCancel->isEnabled(), 5000);
    QCOMPARE(Service().PanelService->text(), Text("PanelTekst0"));
  }

  void escapeCloses() {
    StartWithCatalogue();
    Open(10);
    QTest::keyClicks(Service().MaskEditParData, "9");
    QTest::keyClick(Service().MaskEditParData, Qt::Key_Escape);
    QVERIFY(!Service().isVisible());
    QCOMPARE(GlobalVar().ParameterTable[10], 0);
  }

  void screenshots() {
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    folder_->Write("application.ini", "[Opties]\nTaal=" + qgetenv("VQ2X_SCREENSHOT_LANGUAGE").left(1) + "\n");
    StartIn();
    GlobalVar().ParameterTable[200] = 24;
    Open(200);
    Service().MaskEditParData->setText("99");
    QTest::mouseClick(Service().CmdOK, Qt::LeftButton);  // above the maximum: the red text
    SaveScreenshot(Service(), "service-window-number");
    Service().reject();
    GlobalVar().ParameterTable[201] = 1;
    Open(201);
    SaveScreenshot(Service(), "service-window-choice");
    QVERIFY(!Service().ComboParData->currentText().isEmpty());
  }
};

QTEST_MAIN(ParamServiceTest)
#include "ParamServiceTest.moc"
