// The error-number help (the shipped RTF documents as formatted text,
// read again when the file changed) and the About window.
#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

#include "GuiTestSupport.h"
#include "ui/QtText.h"

namespace {

const QStringList kHelpFiles = {"Taal0.ini", "Taal1.ini", "Taal2.ini", "ErrorHelp0.rtf", "ErrorHelp1.rtf",
                                "ErrorHelp2.rtf"};

QTextCharFormat FormatAt(const QTextBlock& block) {
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::NextCharacter);
  return cursor.charFormat();
}

}  // namespace

// Receives the URL the About window's link asks the desktop to open.
class UrlCatcher : public QObject {
  Q_OBJECT
public:
  QList<QUrl> opened;
public slots:
  void Open(const QUrl& url) { opened << url; }
};

class HelpWindowsTest : public QObject, protected ToolHarness {
  Q_OBJECT

  TFormInfoErrorNummers& Help() { return *FormInfoErrorNummers; }

  void StartInLanguage(int language, const QStringList& files = kHelpFiles) {
    folder_ = std::make_unique<ProgramFolder>(files);
    folder_->Write("application.ini", "[Opties]\nTaal=" + QByteArray::number(language) + "\n");
    StartIn();
  }
  void ShowHelp() {
    Main().findChild<QAction*>("Errno1")->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&Help()));
  }
  // As the window system does when the user clicks into a window.
  void Activate(QWidget& window) {
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }

private slots:
  void init() { Reset(); }
  void cleanup() {
    if (FormInfoErrorNummers != nullptr) Help().hide();
    Stop();
  }

  void shippedHelpRendersWithBoldHeadingsAndSpecialCharacters_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("Dutch") << 0 << "VQ2x foutnummers" << QStringList{QString::fromUtf8("Seriële"), QString::fromUtf8("één")};
    QTest::newRow("English") << 1 << "VQ2x error numbers" << QStringList{"SSI"};
    QTest::newRow("German") << 2 << "VQ2x Fehlernummern"
                            << QStringList{QString::fromUtf8("für"), QString::fromUtf8("außerhalb")};
  }
  void shippedHelpRendersWithBoldHeadingsAndSpecialCharacters() {
    QFETCH(int, language);
    QFETCH(QString, heading);
    QFETCH(QStringList, words);
    StartInLanguage(language);
    ShowHelp();
    QVERIFY(!Help().isModal());
    QCOMPARE(Help().size(), QSize(545, 362));
    QTextDocument* document = Help().RichEdit1->document();
    const QTextBlock first = document->firstBlock();
    QCOMPARE(first.text(), heading);
    QCOMPARE(FormatAt(first).fontWeight(), int(QFont::Bold));
    QCOMPARE(FormatAt(first).fontPointSize(), 14.0);
    QCOMPARE(FormatAt(first).fontFamilies().toStringList(), QStringList{"Arial"});
    // The body is not bold, the error headings are.
    QCOMPARE(FormatAt(first.next()).fontWeight(), int(QFont::Normal));
    int boldHeadings = 0;
    for (QTextBlock b = first; b.isValid(); b = b.next())
      if (b.text().contains(QRegularExpression("^\\D+ \\d+: ")) && FormatAt(b).fontWeight() == QFont::Bold) ++boldHeadings;
    QVERIFY2(boldHeadings >= 5, qPrintable(QString::number(boldHeadings)));
    for (const QString& word : words) QVERIFY2(document->toPlainText().contains(word), qPrintable(word));
    QCOMPARE(Help().RichEdit1->palette().color(QPalette::Base), QColor(255, 255, 151));
    QVERIFY(Help().RichEdit1->isReadOnly());
    QCOMPARE(Help().RichEdit1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    SaveScreenshot(Help(), "error-help-" + QString::number(language));
  }

  void withoutTheLanguagesDocumentTheViewStaysEmpty() {
    StartInLanguage(1, {"ErrorHelp0.rtf"});
    ShowHelp();
    QCOMPARE(Help().RichEdit1->toPlainText(), QString());
  }

  void becomingActiveAgainShowsAChangedDocument() {
    StartInLanguage(1);
    ShowHelp();
    Activate(Help());
    QVERIFY(Help().RichEdit1->toPlainText().startsWith("VQ2x error numbers"));
    // Unchanged, the document is not read again: the reader keeps his place.
    QScrollBar* bar = Help().RichEdit1->verticalScrollBar();
    QVERIFY(bar->maximum() > 10);
    bar->setValue(bar->maximum() / 2);
    Activate(Main());
    Activate(Help());
    QCOMPARE(bar->value(), bar->maximum() / 2);
    folder_->Write("ErrorHelp1.rtf", "{\\rtf1 {\\b Changed} text\\par}");
    Activate(Main());
    Activate(Help());
    QCOMPARE(Help().RichEdit1->toPlainText(), QString("Changed text"));
  }

  void anUnreadableDocumentIsSaidInTheView_data() {
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("kind");
    QTest::newRow("not RTF") << false << "RTF";
    QTest::newRow("unreadable") << true << "File";
  }
  void anUnreadableDocumentIsSaidInTheView() {
    QFETCH(bool, folder);
    QFETCH(QString, kind);
    StartInLanguage(0, {});
    if (folder)
      QDir(Q(folder_->Path())).mkdir("ErrorHelp0.rtf");
    else
      folder_->Write("ErrorHelp0.rtf", "plain text, no RTF");
    ShowHelp();
    QVERIFY2(Help().RichEdit1->toPlainText().startsWith(kind + " error raised, with message : "),
             qPrintable(Help().RichEdit1->toPlainText()));
    QVERIFY(Help().isVisible());
  }

  void aboutShowsTheVersionOnceHoweverOftenItOpens_data() {
    QTest::addColumn<bool>("language");
    QTest::newRow("with language file") << true;
    QTest::newRow("laid out") << false;
  }
  void aboutShowsTheVersionOnceHoweverOftenItOpens() {
    QFETCH(bool, language);
    Start(language ? kAllDataFiles : QStringList{});
    for (int time = 0; time < 2; ++time) {
      QString version;
      QTimer::singleShot(0, this, [&] {
        version = FormAbout->LabelSoftwareVersie->text();
        SaveScreenshot(*FormAbout, language ? "about" : "about-laid-out");
        FormAbout->accept();
      });
      Main().findChild<QAction*>("FormAbout")->trigger();
      QCOMPARE(version.count(VersionText), 1);
      QVERIFY(version.endsWith(QString(" ") + VersionText));
      QCOMPARE(version.startsWith("Software versie:"), !language);
    }
    QCOMPARE(FormAbout->size(), QSize(353, 354));
    QVERIFY(FormAbout->findChild<QLabel*>("LabelTitel")->text() == "Mirelo Software Tool (KRT2)");
  }

  void aboutLinkOpensTheProgramFolderThroughTheDesktop() {
    Start({});
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    FormAbout->show();
    QLabel* link = FormAbout->LabelWWWLink;
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(FormAbout->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(link->font().pixelSize(), 13);
    QVERIFY(link->font().underline());
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QTest::mouseClick(link, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(catcher.opened.size(), 1);
    QCOMPARE(catcher.opened[0].toLocalFile() + "/", Q(GlobalVar().ProgramDir));
    FormAbout->hide();
  }
};

QTEST_MAIN(HelpWindowsTest)
#include "HelpWindowsTest.moc"
