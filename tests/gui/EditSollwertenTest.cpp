// The setpoint editor driven through its grid, menus and dialogs, on the
// virtual line.
#include <QAction>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <functional>

#include "GuiTestSupport.h"
#include "model/Functies.h"
#include "params/SetpointGridView.h"
#include "ui/QtText.h"

namespace {

const QColor kPaleYellow(255, 255, 151);

// The file table of a setpoint file: header with the unit number, an empty
// line, S000 with parameter 315, S001 .. S024.
QByteArray SetpointFileBytes(int unit, int p315, const std::function<int(int)>& setpoint, int lines = 25) {
  QByteArray text = "ASCII Sollwerten VU2v-ARA   No: " + QByteArray::number(unit) + "\r\n\r\n";
  for (int n = 0; n < lines; ++n)
    text += QString("S%1 %2\r\n").arg(n, 3, 10, QChar('0')).arg(n == 0 ? p315 : setpoint(n)).toLatin1();
  return text;
}

}  // namespace

class EditSollwertenTest : public QObject, protected ToolHarness {
  Q_OBJECT

  TFormEditSollwerten& Editor() { return *FormEditSollwerten; }
  SetpointGridView& Grid() { return *Editor().StringGrid1; }
  QWidget* KeyTarget() { return Grid().Editor() ? static_cast<QWidget*>(Grid().Editor()) : &Grid(); }
  void Type(const QString& text) {
    for (QChar c : text) QTest::keyClick(KeyTarget(), c.toLatin1());
  }
  void Press(Qt::Key key) { QTest::keyClick(KeyTarget(), key); }
  QString Cell(int column, int row) { return Grid().CellText(column, row); }

  // Starts the tool with the catalogue and, for language 0 .. 2, its file.
  void StartWith(int language) {
    folder_ = std::make_unique<ProgramFolder>(language < 0 ? QStringList{"Parameters.txt", "ParNo.txt"}
                                                           : kAllDataFiles);
    if (language >= 0) folder_->Write("application.ini", "[Opties]\nTaal=" + QByteArray::number(language) + "\n");
    StartIn();
    GlobalVar().OpenCloseDialoogPath = folder_->Path();
  }
  void ShowEditor() {
    Editor().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Editor()));
  }
  void ShowEditorAt(int column, int row) {
    ShowEditor();
    Grid().SelectCell(column, row);
  }

  // Acts on the first modal window of type T once it is shown (modal
  // windows run their own event loop), again until it has closed: a busy
  // file dialog may not take its answer at the first try.
  template <class T>
  void WhenShown(std::function<void(T&)> act) {
    auto* timer = new QTimer(this);
    timer->setInterval(10);
    connect(timer, &QTimer::timeout, this, [timer, act] {
      if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
        act(*window);
        if (window->isVisible()) return;
        timer->stop();
        timer->deleteLater();
      }
    });
    timer->start();
  }
  void Answer(QMessageBox::StandardButton button, QString* caption = nullptr, QString* text = nullptr) {
    WhenShown<QMessageBox>([=](QMessageBox& box) {
      if (caption) *caption = box.windowTitle();
      if (text) *text = box.text();
      box.button(button)->click();
    });
  }
  void ChooseInFileDialog(const QString& path) {
    WhenShown<QFileDialog>([path](QFileDialog& dialog) {
      if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit")) name->setText(path);
      static_cast<QDialog&>(dialog).accept();  // QFileDialog::accept checks the choice
    });
  }

private slots:
  void init() { Reset(); }
  void cleanup() { Stop(); }

  void gridHasItsFixedGeometry() {
    StartWith(-1);
    ShowEditor();
    const std::vector<int> widths = {30, 105, 37, 31, 104};
    for (int column = 0; column < 5; ++column)
      QCOMPARE(Grid().columnWidth(column), widths[static_cast<std::size_t>(column)]);
    QCOMPARE(Grid().rowCount(), 12);
    for (int row = 0; row < 12; ++row) QCOMPARE(Grid().rowHeight(row), 16);
    QCOMPARE(Grid().horizontalHeader()->height(), 16);
    QCOMPARE(Grid().viewport()->width(), 307);
    QCOMPARE(Grid().viewport()->height(), 12 * 16);
    QVERIFY(!Grid().horizontalScrollBar()->isVisible());
    QVERIFY(!Grid().verticalScrollBar()->isVisible());
    QCOMPARE(Grid().font().pixelSize(), 15);
    QVERIFY(QFontInfo(Grid().font()).fixedPitch());
    QCOMPARE(QFontInfo(Grid().font()).family(), QString("Liberation Mono"));  // Courier's metrics
  }

  void openingShowsTheSetpointsWithTheirDecimals() {
    StartWith(-1);
    GlobalVar().ParameterTable[203] = 2;
    GlobalVar().SetpointTable[1] = 150;
    GlobalVar().SetpointTable[13] = -5;
    GlobalVar().SetpointTable[24] = 123456;
    ShowEditor();
    QCOMPARE(Cell(0, 1), QString("1"));
    QCOMPARE(Cell(1, 1), QString("1,50"));
    QCOMPARE(Cell(3, 1), QString("13"));
    QCOMPARE(Cell(4, 1), QString("-0,05"));
    QCOMPARE(Cell(3, 12), QString("24"));
    QCOMPARE(Cell(4, 12), QString("1234,56"));
    QCOMPARE(Cell(2, 5), QString());
    QCOMPARE(Grid().Column(), 1);
    QCOMPARE(Grid().Row(), 1);
    QVERIFY(!Grid().Editing());
    QVERIFY(Editor().Panel1->text().isEmpty());
  }

  void enterStoresTheParsedValue_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("setpoint");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("nextRow");
    QTest::newRow("two decimals") << 2 << 1 << 1 << "12" << 1 << 1200 << "12,00" << 2;
    QTest::newRow("point becomes comma") << 2 << 1 << 1 << "12.5" << 1 << 1250 << "12,50" << 2;
    QTest::newRow("second half, row 3") << 0 << 4 << 3 << "77" << 15 << 77 << "77" << 4;
    QTest::newRow("last row stays") << 0 << 1 << 12 << "5" << 12 << 5 << "5" << 12;
    QTest::newRow("maximum") << 0 << 1 << 1 << "99999999" << 1 << 99999999 << "99999999" << 2;
    QTest::newRow("minimum") << 0 << 4 << 1 << "-9999999" << 13 << -9999999 << "-9999999" << 2;
    QTest::newRow("negative, last row") << 1 << 4 << 12 << "-2,5" << 24 << -25 << "-2,5" << 12;
  }
  void enterStoresTheParsedValue() {
    QFETCH(int, decimals);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(int, setpoint);
    QFETCH(int, stored);
    QFETCH(QString, shown);
    QFETCH(int, nextRow);
    StartWith(-1);
    GlobalVar().ParameterTable[203] = decimals;
    ShowEditorAt(column, row);
    Type(typed);
    QVERIFY(Grid().Editing());
    Press(Qt::Key_Return);
    QCOMPARE(GlobalVar().SetpointTable[static_cast<std::size_t>(setpoint)], stored);
    QCOMPARE(Cell(column, row), shown);
    QCOMPARE(Grid().Column(), column);
    QCOMPARE(Grid().Row(), nextRow);
    QCOMPARE(Grid().Editing(), nextRow != row);  // one row down with the editor open
    QVERIFY(Editor().Panel1->text().isEmpty());
    for (int other = 1; other <= 24; ++other)
      if (other != setpoint) QCOMPARE(GlobalVar().SetpointTable[static_cast<std::size_t>(other)], 0);
  }

  void invalidEntryRestoresTheStoredValue_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("typed");
    QTest::newRow("below the minimum") << 0 << "-10000000";
    QTest::newRow("above the maximum") << 0 << "100000000";
    QTest::newRow("too many decimals") << 2 << "1,234";
    QTest::newRow("lone minus") << 0 << "-";
  }
  void invalidEntryRestoresTheStoredValue() {
    QFETCH(int, decimals);
    QFETCH(QString, typed);
    StartWith(-1);
    GlobalVar().ParameterTable[203] = decimals;
    GlobalVar().SetpointTable[5] = 4200;
    ShowEditorAt(1, 5);
    Type(typed);
    Press(Qt::Key_Enter);
    QCOMPARE(GlobalVar().SetpointTable[5], 4200);
    QCOMPARE(Cell(1, 5), Q(FormatFixed(9, 4200, GlobalVar().ParameterTable)));
    QCOMPARE(Grid().Row(), 5);
    QCOMPARE(Editor().Panel1->text(), QString("Ingane ongeldig!"));
  }

  void invalidEntryShowsTheLanguageText() {
    StartWith(1);
    ShowEditorAt(4, 2);
    Type("-");
    Press(Qt::Key_Return);
    QCOMPARE(Editor().Panel1->text(), QString("Invalid input: the previous value has been restored."));
    SaveScreenshot(Editor(), "setpoint-editor-invalid");
  }

  void keyFilterWhileEditing_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::newRow("no comma without decimals") << 0 << "1,5.2" << "152";
    QTest::newRow("one comma") << 2 << "1,2.3" << "1,23";
    QTest::newRow("one minus") << 0 << "-1-2" << "-12";
    QTest::newRow("other characters dropped") << 2 << "1a b+2e" << "12";
    QTest::newRow("comma replaces the selection") << 2 << ",5" << ",5";
  }
  void keyFilterWhileEditing() {
    QFETCH(int, decimals);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    StartWith(-1);
    GlobalVar().ParameterTable[203] = decimals;
    GlobalVar().SetpointTable[1] = 125;  // "1,25" with two decimals: selected when the editor opens
    ShowEditor();
    Type(typed);
    QVERIFY(Grid().Editing());
    QCOMPARE(Grid().Editor()->text(), text);
  }

  void escapeShowsTheSetpointAgain() {
    StartWith(-1);
    GlobalVar().SetpointTable[15] = 4321;
    ShowEditorAt(4, 3);
    Type("-");
    Press(Qt::Key_Return);  // refused: the message shows
    QVERIFY(!Editor().Panel1->text().isEmpty());
    Type("99");
    QCOMPARE(Grid().Editor()->text(), QString("99"));
    Press(Qt::Key_Escape);
    QVERIFY(!Grid().Editing());
    QCOMPARE(Cell(4, 3), QString("4321"));
    QCOMPARE(GlobalVar().SetpointTable[15], 4321);
    QVERIFY(Editor().Panel1->text().isEmpty());
    QVERIFY(Editor().isVisible());  // Escape does not close the window
  }

  void cursorStaysInTheCellWhileEditing() {
    StartWith(-1);
    ShowEditorAt(1, 4);
    Type("56");
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Right, Qt::Key_Tab, Qt::Key_PageDown}) Press(key);
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Grid().visualRect(Grid().model()->index(8, 4)).center());
    QCOMPARE(Grid().Column(), 1);
    QCOMPARE(Grid().Row(), 4);
    QVERIFY(Grid().Editing());
    Press(Qt::Key_Left);  // moves the caret inside the text
    Type("7");
    Press(Qt::Key_Return);
    QCOMPARE(GlobalVar().SetpointTable[4], 576);
  }

  void arrowsJumpBetweenTheHalves() {
    StartWith(-1);
    ShowEditorAt(1, 7);
    Press(Qt::Key_Right);
    QCOMPARE(Grid().Column(), 4);
    Press(Qt::Key_Right);
    QCOMPARE(Grid().Column(), 4);
    Press(Qt::Key_Left);
    QCOMPARE(Grid().Column(), 1);
    Press(Qt::Key_Left);
    QCOMPARE(Grid().Column(), 1);
    Press(Qt::Key_Down);
    QCOMPARE(Grid().Row(), 8);
    QVERIFY(!Grid().Editing());
  }

  void numberAndSpacerCellsCannotBeSelected() {
    StartWith(-1);
    ShowEditorAt(4, 2);
    for (int column : {0, 2, 3}) {
      QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {},
                        Grid().visualRect(Grid().model()->index(6, column)).center());
      QCOMPARE(Grid().Column(), 4);
      QCOMPARE(Grid().Row(), 2);
    }
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Grid().visualRect(Grid().model()->index(6, 1)).center());
    QCOMPARE(Grid().Column(), 1);
    QCOMPARE(Grid().Row(), 7);
  }

  void numberColumnsArePaleYellowWhileTheGridHasTheFocus() {
    StartWith(1);
    GlobalVar().ParameterTable[203] = 2;
    for (int n = 1; n <= 24; ++n) GlobalVar().SetpointTable[static_cast<std::size_t>(n)] = n * 1250 - 7000;
    ShowEditorAt(1, 1);
    Editor().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Editor()));
    Grid().setFocus();
    QTRY_VERIFY(Grid().GridFocused());
    auto pixel = [this](int column, int row) {
      const QRect cell = Grid().visualRect(Grid().model()->index(row - 1, column));
      const QImage image = Grid().viewport()->grab().toImage();
      const qreal ratio = image.devicePixelRatio();
      return image.pixelColor(int((cell.left() + 1) * ratio), int((cell.bottom() - 1) * ratio));
    };
    const QColor base = Grid().palette().color(QPalette::Base);
    QCOMPARE(pixel(0, 5), kPaleYellow);
    QCOMPARE(pixel(3, 5), kPaleYellow);
    QCOMPARE(pixel(1, 5), base);
    QCOMPARE(pixel(2, 5), base);
    QCOMPARE(pixel(1, 1), Grid().palette().color(QPalette::Highlight));
    SaveScreenshot(Editor(), "setpoint-editor");
    Type("12");
    SaveScreenshot(Editor(), "setpoint-editor-editing");
  }

  void deviceEntriesFollowThePortAtOpening() {
    StartWith(-1);
    ShowEditor();
    QVERIFY(!Editor().subParOntvangen->isEnabled());
    QVERIFY(!Editor().subParZenden->isEnabled());
    QVERIFY(Editor().subOpenen->isEnabled());
    Editor().hide();
    QVERIFY(OpenPort());
    ShowEditor();
    QVERIFY(Editor().subParOntvangen->isEnabled());
    QVERIFY(Editor().subParZenden->isEnabled());
    QStringList entries;
    for (QAction* action : Editor().menuBestand->actions()) entries << (action->isSeparator() ? "-" : action->text());
    QCOMPARE(entries, (QStringList{"Openen", "Opslaan als...", "-", "Afdruk", "-", "Afsluiten"}));
  }

  void menusTakeTheLanguageTexts() {
    StartWith(1);
    ShowEditor();
    QCOMPARE(Editor().windowTitle(), QString("Edit setpoints"));
    QCOMPARE(Editor().subParOntvangen->text(), QString("Receive setpoints"));
    QCOMPARE(Editor().menuZendenOntvangen->title(), QString("Send and receive"));
    QCOMPARE(Grid().horizontalHeaderItem(0)->text(), QString("No."));
    QCOMPARE(Grid().horizontalHeaderItem(4)->text(), QString("Value"));
  }

  void receiveTakesTheSetpointsOverOnOk_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("ok") << true;
    QTest::newRow("cancel") << false;
  }
  void receiveTakesTheSetpointsOverOnOk() {
    QFETCH(bool, ok);
    StartWith(-1);
    QVERIFY(OpenPort());
    GlobalVar().SetpointTable[3] = 33;
    ShowEditor();
    int mode = -1;
    WhenShown<TFormLeesParSoll>([&](TFormLeesParSoll& read) {
      mode = read.Mode;
      for (int n = 1; n <= 24; ++n) read.ReceivedSetpoints[static_cast<std::size_t>(n)] = 1000 + n;
      ok ? read.accept() : read.reject();
    });
    Editor().subParOntvangen->trigger();
    QCOMPARE(mode, 1);
    QCOMPARE(GlobalVar().SetpointTable[3], ok ? 1003 : 33);
    QCOMPARE(GlobalVar().SetpointTable[24], ok ? 1024 : 0);
    QCOMPARE(GlobalVar().SetpointSource, ok ? int(psDevice) : int(psNone));
    QCOMPARE(Cell(1, 3), ok ? QString("1003") : QString("33"));
  }

  void sendAsksFirstForUnknownSetpoints_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("received: no question") << 1 << int(psDevice) << 0 << true << "";
    QTest::newRow("unknown, yes") << 1 << int(psNone) << int(QMessageBox::Yes) << true
                                  << "The setpoints in memory have not been received from the VQ2x";
    QTest::newRow("unknown, no") << 1 << int(psNone) << int(QMessageBox::No) << false << "";
    QTest::newRow("unknown, cancel") << 1 << int(psNone) << int(QMessageBox::Cancel) << false << "";
    QTest::newRow("no language file still asks") << -1 << int(psNone) << int(QMessageBox::No) << false
                                                  << "De sollwerten in het geheugen zijn niet van de VQ2x ontvangen";
  }
  void sendAsksFirstForUnknownSetpoints() {
    QFETCH(int, language);
    QFETCH(int, source);
    QFETCH(int, answer);
    QFETCH(bool, sent);
    QFETCH(QString, firstLine);
    StartWith(language);
    QVERIFY(OpenPort());
    GlobalVar().SetpointSource = source;
    GlobalVar().SetpointTable[7] = -77;
    ShowEditor();
    QString caption, text;
    std::unique_ptr<MessageBoxCatcher> unexpected;
    if (answer != 0) Answer(QMessageBox::StandardButton(answer), &caption, &text);
    else unexpected = std::make_unique<MessageBoxCatcher>();
    int mode = -1;
    std::array<std::int32_t, 25> buffer{};
    WhenShown<TFormSchrijfParSoll>([&](TFormSchrijfParSoll& write) {
      mode = write.Mode;
      buffer = write.SendSetpoints;
      write.reject();
    });
    Editor().subParZenden->trigger();
    QTest::qWait(50);
    if (unexpected) QCOMPARE(unexpected->Count(), std::size_t{0});
    QCOMPARE(mode, sent ? 1 : -1);
    if (sent) QCOMPARE(buffer[7], -77);
    if (answer != 0) QCOMPARE(caption, QString(language < 0 ? "Waarschuwing" : "Warning"));
    if (!firstLine.isEmpty()) QVERIFY2(text.startsWith(firstLine + "\n"), qPrintable(text));
  }

  void printAsksFirstForUnknownSetpoints_data() {
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("printed");
    QTest::newRow("loaded: no question") << int(psFile) << 0 << true;
    QTest::newRow("unknown, yes") << int(psNone) << int(QMessageBox::Yes) << true;
    QTest::newRow("unknown, no") << int(psNone) << int(QMessageBox::No) << false;
  }
  void printAsksFirstForUnknownSetpoints() {
    QFETCH(int, source);
    QFETCH(int, answer);
    QFETCH(bool, printed);
    StartWith(0);
    GlobalVar().SetpointSource = source;
    ShowEditor();
    QString caption, text;
    std::unique_ptr<MessageBoxCatcher> unexpected;
    if (answer != 0) Answer(QMessageBox::StandardButton(answer), &caption, &text);
    else unexpected = std::make_unique<MessageBoxCatcher>();
    bool shown = false;
    WhenShown<TFormAfdrukkenSoll>([&](TFormAfdrukkenSoll& print) {
      shown = true;
      print.CmdCancel->click();
    });
    Editor().subAfdrukken->trigger();
    QTest::qWait(50);
    if (unexpected) QCOMPARE(unexpected->Count(), std::size_t{0});
    QCOMPARE(shown, printed);
    if (answer != 0) {
      QCOMPARE(caption, QString("Waarschuwing"));
      QVERIFY2(text.contains("De afdruk geeft dus niet de sollwerten"), qPrintable(text));
    }
  }

  void savedFileMatchesTheFileTableAndLoadsBack() {
    StartWith(1);
    Main().SpinEditUnitSelect->setValue(5);
    auto value = [](int n) { return n % 2 == 0 ? -1000 * n : n * 7 + 3; };
    for (int n = 1; n <= 24; ++n) GlobalVar().SetpointTable[static_cast<std::size_t>(n)] = value(n);
    GlobalVar().ParameterTable[315] = 777;
    ShowEditor();
    const QString path = folder_->File("Machine 4.vqs");
    ChooseInFileDialog(folder_->File("Machine 4"));  // the dialog adds the extension
    Editor().subOpslaanAls->trigger();
    QCOMPARE(folder_->Read("Machine 4.vqs"), SetpointFileBytes(5, 777, value));

    GlobalVar().SetpointTable = {};
    GlobalVar().ParameterTable[315] = 1;
    GlobalVar().OpenCloseDialoogPath = "/";
    ChooseInFileDialog(path);
    Editor().subOpenen->trigger();
    for (int n = 1; n <= 24; ++n) QCOMPARE(GlobalVar().SetpointTable[static_cast<std::size_t>(n)], value(n));
    QCOMPARE(GlobalVar().ParameterTable[315], 1);
    QCOMPARE(GlobalVar().SetpointSource, int(psFile));
    QCOMPARE(Cell(4, 12), QString::number(value(24)));
    QCOMPARE(GlobalVar().OpenCloseDialoogPath, folder_->Path());
  }

  void refusedFileTakesNothingOver_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    auto setpoint = [](int n) { return n; };
    const QByteArray good = SetpointFileBytes(0, 0, setpoint);
    const QByteArray otherHeader = "ASCII Parameters VU2v-ARA   No: 0\r\n" + good.mid(good.indexOf("\r\n") + 2);
    QTest::newRow("24 value lines") << 1 << SetpointFileBytes(0, 0, setpoint, 24)
                                    << "The setpoint file does not contain exactly 25 value lines.";
    QTest::newRow("26 value lines") << 1 << SetpointFileBytes(0, 0, setpoint, 26)
                                    << "The setpoint file contains an invalid line.";
    QTest::newRow("a number twice") << 1 << good + "S012 5\r\n" << "The setpoint file contains an invalid line.";
    QTest::newRow("another header") << 1 << otherHeader
                                    << "This file is not a VQ2x setpoint file.";
    QTest::newRow("header compared without language file")
        << -1 << otherHeader << "This file is not a setpoint file.";
    QTest::newRow("bad value without language file")
        << -1 << QByteArray(good).replace("S007 7", "S007 7x") << "The setpoint file contains an invalid line.";
  }
  void refusedFileTakesNothingOver() {
    QFETCH(int, language);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    StartWith(language);
    GlobalVar().SetpointTable[9] = 99;
    GlobalVar().SetpointSource = psDevice;
    folder_->Write("refused.vqs", content);
    ShowEditor();
    MessageBoxCatcher boxes;
    QVERIFY(!Editor().OpenFile(folder_->File("refused.vqs")));
    QCOMPARE(boxes.Count(), std::size_t{1});
    QVERIFY2(boxes.Seen_().front().text.startsWith(message), qPrintable(boxes.Seen_().front().text));
    QCOMPARE(boxes.Seen_().front().title, QString("Error"));
    QCOMPARE(GlobalVar().SetpointTable[9], 99);
    QCOMPARE(GlobalVar().SetpointTable[1], 0);
    QCOMPARE(GlobalVar().SetpointSource, int(psDevice));
  }

  void missingFileAndFailedSaveAreReported() {
    StartWith(-1);
    ShowEditor();
    MessageBoxCatcher boxes;
    QVERIFY(!Editor().OpenFile(folder_->File("none.vqs")));
    QVERIFY(!Editor().SaveFile(folder_->File("no folder/x.vqs")));
    QCOMPARE(boxes.Count(), std::size_t{2});
    QVERIFY(boxes.Seen_()[0].text.startsWith("The setpoint file cannot be opened."));
    QVERIFY(boxes.Seen_()[0].text.contains("none.vqs"));
    QVERIFY(boxes.Seen_()[1].text.contains("no folder/x.vqs"));
  }
};

QTEST_MAIN(EditSollwertenTest)
#include "EditSollwertenTest.moc"
