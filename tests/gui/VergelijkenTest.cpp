// The compare window, the check of a write, a clone's restore and the
// editor's changed-only rows, on the virtual line: what the device hears,
// what the windows say; their screenshots.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "GuiTestSupport.h"
#include "ModalDriver.h"
#include "ValueDevice.h"
#include "model/BackupFile.h"
#include "model/Catalogue.h"
#include "model/LanguageTexts.h"
#include "params/Vergelijken.h"
#include "ui/QtText.h"

class VergelijkenTest : public QObject, protected ToolHarness {
  Q_OBJECT

  std::shared_ptr<ValueDevice> values_;

  // In the language of the screenshots (VQ2X_SCREENSHOT_LANGUAGE), Dutch without it.
  void StartConnected() {
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles + QStringList{"Tree0.txt", "Tree1.txt", "Tree2.txt"});
    folder_->Write("application.ini", "[Opties]\nTaal=" + qgetenv("VQ2X_SCREENSHOT_LANGUAGE").left(1) + "\n");
    StartIn();
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
  }
  // Waits for a read or write window to finish its run and closes it with OK.
  static ModalDriver::Step Finished(TransferWindow* window) {
    return [window](QWidget&) {
      if (!SpinUntil([&] { return window->Finished() || window->Failed(); }, 30000) || window->Failed()) return false;
      QTest::mouseClick(window->CmdOK, Qt::LeftButton);
      return true;
    };
  }

private slots:
  void init() {
    Reset();
    values_ = AnswerValues(*line_, device_);
  }
  void cleanup() { Stop(); }

  // The table differs from the device in three values, one of them beyond
  // its limits, which holds Send back until it is unchecked; then exactly
  // the two "wp" and one "bp" go, and the third row is left.
  void sendWritesTheCheckedRowsOnly() {
    StartConnected();
    GlobalVar().ParameterTable[7] = 100;
    GlobalVar().ParameterTable[8] = 200;
    GlobalVar().ParameterTable[0] = 40;
    TFormVergelijken& w = *FormVergelijken;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalDriver driver;
    driver.Then(Finished(FormLeesParSoll));
    QTest::mouseClick(w.CmdVergelijk, Qt::LeftButton);
    QVERIFY(driver.Done() && driver.Ok());
    QCOMPARE(w.Rows().different, 3);
    QCOMPARE(w.GridVergelijk->rowCount(), 3);
    SaveScreenshot(w, "compare-window");
    QVERIFY(!w.CmdZenden->isEnabled() && w.CmdOvernemen->isEnabled());
    w.GridVergelijk->item(0, 0)->setCheckState(Qt::Unchecked);  // parameter 0, the unit number

    const std::size_t before = Commands().size();
    driver.Then(Finished(FormSchrijfParSoll));
    QTest::mouseClick(w.CmdZenden, Qt::LeftButton);
    QVERIFY(driver.Done() && driver.Ok());
    const auto all = Commands();
    QCOMPARE(std::vector<std::string>(all.begin() + before, all.end()),
             (std::vector<std::string>{"wp 7 100", "wp 8 200", "bp"}));
    QCOMPARE(w.Rows().different, 1);
    QCOMPARE(w.GridVergelijk->item(0, 1)->text(), QString("000"));
  }

  // With the check on, a value the device clamps is read back after "bp"
  // and listed with both values; the window does not say all went well.
  void aClampedValueIsShownByTheWriteWindow() {
    StartConnected();
    GlobalVar().VerifyAfterWrite = true;
    values_->Clamp(247, 30);
    TFormSchrijfParSoll& w = *FormSchrijfParSoll;
    w.Mode = kTransferParameters;
    w.SendParameters = {};
    w.SendParameters[247] = 40;
    w.show();
    QVERIFY(SpinUntil([&] { return w.Finished() || w.Failed(); }, 60000));
    QCOMPARE(w.Panel1->text(), Q(Tekst("SchrijfParSoll", "PanelTekst13", "")));
    QVERIFY(w.GridVerschillen->isVisible());
    QCOMPARE(w.GridVerschillen->rowCount(), 1);
    QCOMPARE(w.GridVerschillen->item(0, 0)->text() + " " + w.GridVerschillen->item(0, 2)->text() + " " +
                 w.GridVerschillen->item(0, 3)->text(),
             QString("P247 40 30"));
    SaveScreenshot(w, "write-window-held-otherwise");
    QTest::mouseClick(w.CmdOK, Qt::LeftButton);
  }

  // Unit 3's backup restored into unit 0: the confirmation names both and
  // offers to keep unit 0's number and line settings, checked; kept, they
  // are not written.
  void aCloneKeepsTheOpenUnitsIdentity() {
    StartConnected();
    DeviceContent content;
    content.parameters[0] = 3;
    const QString file = folder_->File("unit3.bak");
    folder_->Write("unit3.bak", QByteArray::fromStdString(BackupFileBytes(content)));
    ModalDriver driver;
    driver.ChooseFile(file).Then([](QWidget& modal) {
      auto* box = qobject_cast<QMessageBox*>(&modal);
      if (box == nullptr || box->checkBox() == nullptr || !box->checkBox()->isChecked()) return false;
      const QString units = Q(Tekst("BackupRestore", "Msg_EenheidBestand", "")) + " 3; " +
                            Q(Tekst("BackupRestore", "Msg_EenheidApparaat", "")) + " 0.";
      if (!box->text().contains(units)) return false;
      SaveScreenshot(*box, "restore-confirmation-other-unit");
      box->button(QMessageBox::Yes)->click();
      return true;
    });
    driver.Then(Finished(FormSchrijfParSoll));
    const std::size_t before = Commands().size();
    Main().findChild<QAction*>("Restore1")->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    const auto all = Commands();
    const std::vector<std::string> sent(all.begin() + before, all.end());
    QCOMPARE(std::count_if(sent.begin(), sent.end(), [](const std::string& c) { return c.starts_with("wp "); }), 313);
    QCOMPARE(sent.front(), std::string("wp 3 0"));
  }

  // Changed only: the rows of the root whose values differ from the defaults.
  void theEditorShowsOnlyChangedRows() {
    StartConnected();
    GlobalVar().ParameterTable = Catalogue::DefaultTable(GlobalVar().ParameterCatalogue);
    GlobalVar().ParameterTable[203] += 1;
    TFormEditParam& editor = *FormEditParam;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTest::mouseClick(editor.CheckGewijzigd, Qt::LeftButton);
    QCOMPARE(editor.Rows().front().ParameterNumber, 203);
    QVERIFY(editor.Rows()[1].IsEmpty());
    SaveScreenshot(editor, "parameter-editor-changed-only");
  }
};

QTEST_MAIN(VergelijkenTest)
#include "VergelijkenTest.moc"
