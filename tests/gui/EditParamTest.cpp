// The parameter editor, driven through its tree, grid, buttons and menus,
// with the shipped catalogue, tree and language files, on the virtual line.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <set>

#include "GuiTestSupport.h"
#include "ModalDriver.h"
#include "model/Catalogue.h"
#include "model/FunctionLabels.h"
#include "model/LanguageTexts.h"
#include "model/ParameterNumbers.h"
#include "ui/QtText.h"

namespace {

const QStringList kEditorFiles = kAllDataFiles + QStringList{"Tree0.txt", "Tree1.txt", "Tree2.txt"};

QString Text(const char* key) { return Q(Tekst("EditParam", key, "")); }

std::vector<QTreeWidgetItem*> AllNodes(QTreeWidget* tree) {
  std::vector<QTreeWidgetItem*> nodes;
  std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
    nodes.push_back(item);
    for (int i = 0; i < item->childCount(); ++i) walk(item->child(i));
  };
  for (int i = 0; i < tree->topLevelItemCount(); ++i) walk(tree->topLevelItem(i));
  return nodes;
}

// The parameter file of `values`, written out by hand from the file table.
QByteArray HandBuiltFile(const std::array<std::int32_t, kParameterCount>& values, int unit) {
  QByteArray file = "ASCII Parameters VU2v-ARA   No: " + QByteArray::number(unit) + "\r\n\r\n";
  for (int n = 0; n < kParameterCount; ++n)
    file += "P" + QByteArray::number(n).rightJustified(3, '0') + " " + QByteArray::number(values[n]) + "\r\n";
  return file;
}

std::array<std::int32_t, kParameterCount> Pattern() {
  std::array<std::int32_t, kParameterCount> values{};
  for (int n = 0; n < kParameterCount; ++n) values[static_cast<std::size_t>(n)] = (n % 7 == 0 ? -1 : 1) * n * 13;
  values[5] = INT32_MIN;
  values[6] = INT32_MAX;
  return values;
}

}  // namespace

class EditParamTest : public QObject, protected ToolHarness {
  Q_OBJECT

  TFormEditParam& Editor() { return *FormEditParam; }

  void ShowEditor() {
    Editor().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Editor()));
  }
  // The first row of the shown node holding a numeric parameter.
  int NumericRow() {
    const auto& rows = Editor().Rows();
    for (std::size_t r = 0; r < rows.size(); ++r)
      if (!rows[r].IsEmpty() && Catalogue::Type(GlobalVar().ParameterCatalogue, rows[r].ParameterNumber) == 0)
        return static_cast<int>(r);
    return -1;
  }
  void DoubleClickRow(int row) {
    QTableWidget* grid = Editor().StringGrid1;
    DoubleClick(grid->viewport(), grid->visualItemRect(grid->item(row, 2)).center());
  }
  // Answers "wp" with `writeReply` and "bp" with `computeReply`.
  void Answer(const std::string& writeReply, const std::string& computeReply) {
    line_->SetResponder([device = device_, writeReply, computeReply](const std::string& r) {
      if (r.rfind("wp", 0) == 0) return VirtualReply::Answer(writeReply.empty() ? r.substr(0, r.find('\r')) + "\r\n"
                                                                                 : writeReply);
      if (r.rfind("bp", 0) == 0) return VirtualReply::Answer(computeReply);
      return (*device)(r);
    });
  }
  // In the service window: types `value`, sends it and waits for `status`.
  static ModalDriver::Step SendValue(const QString& value, const QString& status) {
    return [value, status](QWidget&) {
      TFormParamService& s = *FormParamService;
      s.MaskEditParData->selectAll();
      QTest::keyClicks(s.MaskEditParData, value);
      QTest::mouseClick(s.CmdZenden, Qt::LeftButton);
      const bool answered = QTest::qWaitFor([&] { return s.PanelService->text() == status; }, 3000);
      QTest::mouseClick(s.CmdCancel, Qt::LeftButton);
      return answered;
    };
  }

private slots:
  void init() { Reset(); }
  void cleanup() { Stop(); }

  // The cam overview and the linearisation curve open from the main
  // window's menu and from the editor's Window menu.
  void camAndLinearisationWindowsOpenFromBothMenus_data() {
    QTest::addColumn<bool>("fromEditor");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("window");
    QTest::newRow("main, cams") << false << "displaynokken1" << "FormDisplayNokken";
    QTest::newRow("main, linearisation") << false << "Grafiek2" << "FormLinearisatie";
    QTest::newRow("editor, cams") << true << "subNokkenInfo" << "FormDisplayNokken";
    QTest::newRow("editor, linearisation") << true << "subLinearisatie" << "FormLinearisatie";
  }
  void camAndLinearisationWindowsOpenFromBothMenus() {
    QFETCH(bool, fromEditor);
    QFETCH(QString, action);
    QFETCH(QString, window);
    Start(kEditorFiles);
    if (fromEditor) ShowEditor();
    QWidget& owner = fromEditor ? static_cast<QWidget&>(Editor()) : static_cast<QWidget&>(Main());
    auto* entry = owner.findChild<QAction*>(action);
    QVERIFY(entry != nullptr);
    QVERIFY(entry->isEnabled());
    QString opened;
    ModalDriver driver;
    driver.Then([&](QWidget& modal) {
      opened = modal.objectName();
      return true;
    });
    entry->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    QCOMPARE(opened, window);
  }

  void opensOnTheRootWithItsRows() {
    Start(kEditorFiles);
    ShowEditor();
    QTreeWidget* tree = Editor().TreeView1;
    QCOMPARE(tree->topLevelItemCount(), 1);
    QVERIFY(tree->topLevelItem(0)->isExpanded());
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
    QCOMPARE(Editor().Group(), 0);
    // Section 0 of the group index: its first row is parameter 0.
    QCOMPARE(Editor().StringGrid1->item(0, 0)->text(), QString("0.0.1"));
    QCOMPARE(Editor().StringGrid1->item(0, 1)->text(), QString("000"));
    QCOMPARE(Editor().StringGrid1->item(0, 2)->text(), Q(Catalogue::Name(GlobalVar().ParameterCatalogue, 0, 0)));
    QCOMPARE(Editor().StringGrid1->horizontalHeaderItem(3)->text(), Text("KolomTekst3"));
    QCOMPARE(Editor().windowTitle(), Text("Caption"));
    QCOMPARE(Editor().StatusPanels[0]->text(), Text("min"));
    QCOMPARE(Editor().StringGrid1->rowCount(), 18);
  }

  void clearOnlyForGroupSix() {
    Start(kEditorFiles);
    ShowEditor();
    int groupSix = 0;
    for (QTreeWidgetItem* node : AllNodes(Editor().TreeView1)) {
      Editor().TreeView1->setCurrentItem(node);
      QVERIFY2(Editor().CmdClear->isEnabled() == (Editor().Group() == 6), qPrintable(node->text(0)));
      if (Editor().Group() == 6) ++groupSix;
    }
    QVERIFY(groupSix > 1);  // the group and its subgroups

    // Clearing a cam zeroes its rows and nothing else.
    QTreeWidgetItem* cam = Editor().TreeView1->topLevelItem(0)->child(5)->child(0);
    Editor().TreeView1->setCurrentItem(cam);
    QCOMPARE(Editor().Subgroup(), 1);
    GlobalVar().ParameterTable.fill(3);
    QTest::mouseClick(Editor().CmdClear, Qt::LeftButton);
    std::set<int> cleared;
    for (const ParameterGridRow& row : Editor().Rows())
      if (!row.IsEmpty()) cleared.insert(row.ParameterNumber);
    for (int n = 0; n < kParameterCount; ++n)
      QCOMPARE(GlobalVar().ParameterTable[static_cast<std::size_t>(n)], cleared.count(n) ? 0 : 3);
    QCOMPARE(Editor().StringGrid1->item(0, 3)->text().remove(',').toInt(), 0);
  }

  void savedFileIsTheFileTableAndReadsBack() {
    Start(kEditorFiles);
    Main().SetUnitNumber(5);
    ShowEditor();
    auto values = Pattern();
    const int output = kOutputFunctionParameters[0];
    values[std::size_t(output)] = 2;
    GlobalVar().ParameterTable = values;
    ModalDriver driver;
    driver.ChooseFile(folder_->File("saved"));  // the extension is added
    Editor().subOpslaanAls->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    QCOMPARE(folder_->Read("saved.vqp"), HandBuiltFile(values, 5));
    QCOMPARE(Q(GlobalVar().OpenCloseDialoogPath), QFileInfo(folder_->File("saved.vqp")).absolutePath() + "/");

    GlobalVar().ParameterTable.fill(0);
    driver.ChooseFile(folder_->File("saved.vqp"));
    Editor().subOpenen->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    QVERIFY(GlobalVar().ParameterTable == values);
    QCOMPARE(GlobalVar().ParameterSource, int(psFile));
    QCOMPARE(Editor().StringGrid1->item(0, 3)->text(), QString::number(values[0]));
    // The main window's function texts show what was loaded.
    QCOMPARE(Main().OutputFunctionLabels[0]->text(), Q(Catalogue::OptionText(GlobalVar().ParameterCatalogue, output, 0, 2)));
  }

  void openReadsEmptyLinesAndAnyOrder() {
    Start(kEditorFiles);
    ShowEditor();
    const auto values = Pattern();
    QByteArray file = "ASCII Parameters VU2v-ARA   No: 31\r\n\r\n";
    for (int n = kParameterCount - 1; n >= 0; --n)
      file += "P" + QByteArray::number(n).rightJustified(3, '0') + " " + QByteArray::number(values[n]) + "\r\n\r\n";
    folder_->Write("reversed.vqp", file);
    ModalDriver driver;
    driver.ChooseFile(folder_->File("reversed.vqp"));
    Editor().subOpenen->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    QVERIFY(GlobalVar().ParameterTable == values);
  }

  void openRefusesBadFiles_data() {
    QTest::addColumn<bool>("language");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("key");
    const QByteArray good = HandBuiltFile(Pattern(), 1);
    const QByteArray lastLine = "P315 " + QByteArray::number(Pattern()[315]) + "\r\n";
    QTest::newRow("315 lines") << true << good.chopped(lastLine.size()) << "OpenMsg4";
    QTest::newRow("317 lines") << true << good + "P012 5\r\n" << "OpenMsg3";
    QTest::newRow("number 316") << true << QByteArray(good).replace("P315", "P316") << "OpenMsg3";
    QTest::newRow("value beyond 32 bits") << true << QByteArray(good).replace("P001 13", "P001 2147483648")
                                          << "OpenMsg3";
    QTest::newRow("foreign header") << true << QByteArray(good).replace("VU2v-ARA", "VU8x-ARA") << "OpenMsg2";
    QTest::newRow("foreign header, no language file") << false << QByteArray(good).replace("VU2v", "XX2v") << "";
  }
  void openRefusesBadFiles() {
    QFETCH(bool, language);
    QFETCH(QByteArray, content);
    QFETCH(QString, key);
    Start(language ? kEditorFiles : QStringList{"Parameters.txt", "ParNo.txt", "Tree0.txt"});
    ShowEditor();
    folder_->Write("bad.vqp", content);
    GlobalVar().ParameterTable.fill(42);
    GlobalVar().ParameterSource = psDevice;
    ModalDriver driver;
    driver.ChooseFile(folder_->File("bad.vqp")).Answer(QMessageBox::Ok);
    Editor().subOpenen->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    QCOMPARE(driver.Boxes().size(), std::size_t{1});
    if (language) QCOMPARE(driver.Boxes()[0].text, Text(qPrintable(key)));
    QVERIFY(!driver.Boxes()[0].text.isEmpty());
    QCOMPARE(GlobalVar().ParameterTable[100], 42);
    QCOMPARE(GlobalVar().ParameterSource, int(psDevice));
  }

  void loadDefaults_data() {
    QTest::addColumn<bool>("catalogue");
    QTest::newRow("catalogue loaded") << true;
    QTest::newRow("no catalogue") << false;
  }
  void loadDefaults() {
    QFETCH(bool, catalogue);
    Start(catalogue ? kEditorFiles : QStringList{"Taal0.ini", "ParNo.txt", "Tree0.txt"});
    ShowEditor();
    GlobalVar().ParameterTable.fill(42);
    ModalDriver driver;
    driver.Answer(QMessageBox::Ok);
    Editor().subLaadDefault->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    QCOMPARE(driver.Boxes()[0].text, Text(catalogue ? "msg_DefaultParGeladen" : "msg_ErrorSetDefaultPar"));
    if (catalogue) {
      const auto defaults = Catalogue::DefaultTable(GlobalVar().ParameterCatalogue);
      QVERIFY(GlobalVar().ParameterTable == defaults);
      QCOMPARE(GlobalVar().ParameterSource, int(psDefaults));
      const int output = kOutputFunctionParameters[0];
      QCOMPARE(Main().OutputFunctionLabels[0]->text(),
               Q(Catalogue::OptionText(GlobalVar().ParameterCatalogue, output, 0, defaults[std::size_t(output)])));
    } else {
      QCOMPARE(GlobalVar().ParameterTable[0], 42);
      QCOMPARE(GlobalVar().ParameterSource, int(psNone));
    }
  }

  void deviceEntriesFollowThePortAtOpening() {
    Start(kEditorFiles);
    ShowEditor();
    for (QAction* a : {Editor().subParOntvangen, Editor().subParZenden, Editor().subLoader}) QVERIFY(!a->isEnabled());
    Editor().close();
    QVERIFY(OpenPort());
    Editor().ParamSentNotLoaded = true;  // left from an earlier opening
    ShowEditor();
    QVERIFY(!Editor().ParamSentNotLoaded);
    for (QAction* a : {Editor().subParOntvangen, Editor().subParZenden, Editor().subLoader}) QVERIFY(a->isEnabled());
  }

  void receiveTakesTheValuesOverAndRefreshesTheFunctionTexts() {
    Start(kEditorFiles);
    QVERIFY(OpenPort());
    ShowEditor();
    auto received = Pattern();
    const int output = kOutputFunctionParameters[0];
    received[static_cast<std::size_t>(output)] = 1;
    int mode = -1;
    ModalDriver driver;
    driver.Then([&](QWidget& w) {
      if (&w != FormLeesParSoll) return false;
      mode = FormLeesParSoll->Mode;
      FormLeesParSoll->ReceivedParameters = received;
      FormLeesParSoll->accept();
      return true;
    });
    Editor().subParOntvangen->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    QCOMPARE(mode, 0);
    QVERIFY(GlobalVar().ParameterTable == received);
    QCOMPARE(GlobalVar().ParameterSource, int(psDevice));
    QCOMPARE(Main().OutputFunctionLabels[0]->text(),
             Q(Catalogue::OptionText(GlobalVar().ParameterCatalogue, output, 0, 1)));
  }

  // Values from nowhere are sent or printed only once the warning is confirmed.
  void unsourcedValuesAskFirst_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("language");
    QTest::newRow("send, no") << "subParZenden" << int(QMessageBox::No) << false << true;
    QTest::newRow("send, cancel") << "subParZenden" << int(QMessageBox::Cancel) << false << true;
    QTest::newRow("send, yes") << "subParZenden" << int(QMessageBox::Yes) << true << true;
    QTest::newRow("print, no") << "subAfdrukken" << int(QMessageBox::No) << false << true;
    QTest::newRow("print, yes") << "subAfdrukken" << int(QMessageBox::Yes) << true << true;
    QTest::newRow("no language file, send, yes") << "subParZenden" << int(QMessageBox::Yes) << true << false;
  }
  void unsourcedValuesAskFirst() {
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, opens);
    QFETCH(bool, language);
    Start(language ? kEditorFiles : QStringList{"Parameters.txt", "ParNo.txt"});
    QVERIFY(OpenPort());
    ShowEditor();
    const QString caption = Editor().windowTitle();
    GlobalVar().ParameterTable = Pattern();
    Editor().ParamSentNotLoaded = true;
    const bool send = command == "subParZenden";
    QDialog* target = send ? static_cast<QDialog*>(FormSchrijfParSoll) : FormAfdrukkenPar;
    bool opened = false;
    ModalDriver driver;
    driver.Answer(QMessageBox::StandardButton(answer)).Then([&](QWidget& w) {
      opened = &w == target;
      if (send) opened = opened && FormSchrijfParSoll->Mode == 0 && FormSchrijfParSoll->SendParameters == Pattern();
      target->accept();
      return true;
    });
    Editor().findChild<QAction*>(command)->trigger();
    QCOMPARE(driver.Boxes().size(), std::size_t{1});
    QCOMPARE(driver.Boxes()[0].title,
             language ? Q(Tekst(send ? "EditParam" : "Afdrukken", "Msg_waarschuwingCaption")) : "Waarschuwing");
    const char* question = send ? "ZendMsg_6" : "AfdrukMsg_6";
    QVERIFY(driver.Boxes()[0].text.contains(Q(Tekst(send ? "EditParam" : "Afdrukken", question))));
    QCOMPARE(opened, opens);
    // Once the write window has sent everything, nothing is left pending.
    QCOMPARE(Editor().ParamSentNotLoaded, !(send && opens));
    QCOMPARE(Editor().windowTitle(), caption);
  }

  void closingWarnsWhileAWrittenValueIsNotTakenOver_data() {
    QTest::addColumn<QString>("takeOver");
    QTest::newRow("loader") << "loader";
    QTest::newRow("service window") << "service";
  }
  void closingWarnsWhileAWrittenValueIsNotTakenOver() {
    QFETCH(QString, takeOver);
    Start(kEditorFiles);
    QVERIFY(OpenPort());
    ShowEditor();
    Answer("", "bp -1\r\n");
    const int row = NumericRow();
    QVERIFY(row >= 0);
    ModalDriver driver;
    driver.Then(SendValue("12", Q(Tekst("ParamService", "PanelTekst4"))));
    DoubleClickRow(row);
    QVERIFY(driver.Done() && driver.Ok());
    QVERIFY(Editor().ParamSentNotLoaded);

    driver.Answer(QMessageBox::No);
    Editor().subAfsluiten->trigger();
    QVERIFY(driver.Done());
    QCOMPARE(driver.Boxes().back().name, QString("CloseWarning"));
    for (const QString& line : driver.Boxes().back().text.split('\n')) QVERIFY(line.size() <= 42);
    QVERIFY(Editor().isVisible());

    driver.Then([&](QWidget&) {
      if (takeOver == "loader")
        return QTest::qWaitFor([] { return FormParLoader->Panel1->text() == Q(Tekst("Loader", "PanelTekst4")); }, 3000);
      QTest::mouseClick(FormParamService->CmdBerPar, Qt::LeftButton);
      return QTest::qWaitFor(
          [] { return FormParamService->PanelService->text() == Q(Tekst("ParamService", "PanelTekst10")); }, 3000);
    });
    if (takeOver == "loader")
      Editor().subLoader->trigger();
    else
      DoubleClickRow(row);
    QVERIFY(driver.Done() && driver.Ok());
    QVERIFY(!Editor().ParamSentNotLoaded);
    const std::size_t boxes = driver.Boxes().size();
    Editor().subAfsluiten->trigger();
    QCOMPARE(driver.Boxes().size(), boxes);
    QVERIFY(!Editor().isVisible());
  }

  void refusedValueStaysInTheTable() {
    Start(kEditorFiles);
    QVERIFY(OpenPort());
    ShowEditor();
    Answer("er 7\r\n", "bp -1\r\n");
    const int row = NumericRow();
    const int number = Editor().Rows()[static_cast<std::size_t>(row)].ParameterNumber;
    ModalDriver driver;
    driver.Then(SendValue("12", "(er 7) " + Q(Tekst("ParamService", "PanelTekst6"))));
    Editor().StringGrid1->setCurrentCell(row, 0);
    QTest::keyClick(Editor().StringGrid1, Qt::Key_Return);  // Enter opens the row as a double click does
    QVERIFY(driver.Done() && driver.Ok());
    QCOMPARE(GlobalVar().ParameterTable[static_cast<std::size_t>(number)], 12);
    QCOMPARE(Editor().StringGrid1->item(row, 3)->text(), QString("12"));
    QCOMPARE(Q(GlobalVar().SelectedParameter.ValueText), QString("12"));
    QVERIFY(!Editor().ParamSentNotLoaded);
  }

  void treeFileFaultIsReportedAndTheReadPartShown() {
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    folder_->Write("Tree0.txt", "Root\n\tFirst\n\t\t\tToo deep\n\tSecond\n");
    StartIn();
    ModalDriver driver;
    driver.Answer(QMessageBox::Ok);
    ShowEditor();
    QVERIFY(driver.Done());
    QVERIFY(driver.Boxes()[0].text.startsWith("ETreeFileError error raised, with message : "));
    QCOMPARE(Editor().TreeView1->topLevelItemCount(), 1);
    QCOMPARE(Editor().TreeView1->topLevelItem(0)->childCount(), 1);
  }

  void missingTreeFileShowsAnEmptyTreeAndGrid() {
    Start(kAllDataFiles);
    ModalDriver driver;  // no message expected
    ShowEditor();
    QCOMPARE(Editor().TreeView1->topLevelItemCount(), 0);
    QCOMPARE(Editor().StringGrid1->item(0, 1)->text(), QString());
    QVERIFY(!Editor().CmdClear->isEnabled());
    QVERIFY(driver.Unexpected().isEmpty());
  }

  void valueColumnRightAlignedAndRowMarkedOnlyWithFocus() {
    Start(kEditorFiles);
    GlobalVar().ParameterTable[0] = 7;
    ShowEditor();
    QTableWidget* grid = Editor().StringGrid1;
    Editor().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Editor()));
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    QTRY_VERIFY(grid->hasFocus());
    const QRect value = grid->visualItemRect(grid->item(0, 3));
    const QRect name = grid->visualItemRect(grid->item(0, 2));
    const QPalette& palette = grid->palette();
    auto background = [&](const QImage& image) { return image.pixelColor(value.left() + 1, value.center().y()); };
    // Leftmost and rightmost x of the text drawn in a cell.
    auto textSpan = [](const QImage& image, const QRect& cell) {
      const QColor fill = image.pixelColor(cell.left() + 1, cell.top() + 1);
      int left = cell.right(), right = cell.left();
      for (int x = cell.left() + 1; x < cell.right() - 1; ++x)
        for (int y = cell.top() + 1; y < cell.bottom(); ++y)
          if (image.pixelColor(x, y) != fill) left = std::min(left, x), right = std::max(right, x);
      return std::pair{left, right};
    };
    // Sampled in the grid's own pixels at any scale (nearest pixel: no blended colours).
    auto grabbed = [&] {
      const QImage image = grid->viewport()->grab().toImage();
      return image.scaled(grid->viewport()->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    };
    const QImage focused = grabbed();
    QCOMPARE(background(focused), palette.color(QPalette::Active, QPalette::Highlight));
    const auto [valueLeft, valueRight] = textSpan(focused, value);
    QVERIFY(valueLeft > value.center().x());
    QVERIFY(valueRight >= value.right() - 8);
    QVERIFY(textSpan(focused, name).first <= name.left() + 4);

    QVERIFY(!Editor().StatusPanels[1]->text().isEmpty());
    Editor().TreeView1->setFocus();
    QTRY_VERIFY(!grid->hasFocus());
    QVERIFY(Editor().StatusPanels[1]->text().isEmpty());  // leaving the grid empties the limits
    const QImage plain = grabbed();
    QCOMPARE(background(plain), palette.color(QPalette::Base));
    QVERIFY(textSpan(plain, value).first > value.center().x());
  }

  // The help window opened from the modal editor takes input beside it.
  void errorHelpIsUsableBesideTheEditor() {
    Start(kEditorFiles);
    struct BlockWatch : QObject {
      bool blocked = false;
      bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::WindowBlocked) blocked = true;
        if (e->type() == QEvent::WindowUnblocked) blocked = false;
        return false;
      }
    } watch;
    FormInfoErrorNummers->installEventFilter(&watch);
    bool shown = false, blocked = true;
    ModalDriver driver;
    driver.Then([&](QWidget&) {
      Editor().subErrorNummers->trigger();
      shown = FormInfoErrorNummers->isVisible();
      blocked = watch.blocked;
      return true;
    });
    Main().findChild<QAction*>("Par11")->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    QVERIFY(shown);
    QVERIFY(!blocked);
  }

  // The editor on a cam, as a commissioned device has it (language from
  // VQ2X_SCREENSHOT_LANGUAGE, as for the other screenshots).
  void screenshots() {
    folder_ = std::make_unique<ProgramFolder>(kEditorFiles);
    folder_->Write("application.ini", "[Opties]\nTaal=" + qgetenv("VQ2X_SCREENSHOT_LANGUAGE").left(1) + "\n");
    StartIn();
    GlobalVar().ParameterTable = Catalogue::DefaultTable(GlobalVar().ParameterCatalogue);
    GlobalVar().ParameterTable[ParameterNumber::CamFunction(1)] = 1;
    ShowEditor();
    Editor().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Editor()));
    Editor().TreeView1->setCurrentItem(Editor().TreeView1->topLevelItem(0)->child(5)->child(0));
    Editor().StringGrid1->setFocus();
    Editor().StringGrid1->setCurrentCell(4, 0);
    QVERIFY(!Editor().StatusPanels[1]->text().isEmpty());
    SaveScreenshot(Editor(), "parameter-editor");
  }
};

QTEST_MAIN(EditParamTest)
#include "EditParamTest.moc"
