// The vq2x-tool program itself: started in an empty folder, ended by a
// signal, and its single-instance guard under a real X server (Xvfb).
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <unistd.h>

namespace {

// The program copied alone into a fresh folder, which becomes its program
// folder: no configuration, language or catalogue files.
class EmptyFolder {
public:
  EmptyFolder() { QFile::copy(VQ2X_TOOL_PATH, Program()); }
  QString Program() const { return dir_.filePath("vq2x-tool"); }
  QString File(const QString& name) const { return dir_.filePath(name); }
  void Write(const QString& name, const QByteArray& content) const {
    QFile file(File(name));
    file.open(QIODevice::WriteOnly);
    file.write(content);
  }
  QByteArray Read(const QString& name) const {
    QFile file(File(name));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  }
  QStringList Lines(const QString& name) const { return QString::fromUtf8(Read(name)).split('\n'); }

private:
  QTemporaryDir dir_;
};

void Start(QProcess& process, const QString& program, const QProcessEnvironment& environment,
           const QStringList& arguments = {}) {
  process.setProcessEnvironment(environment);
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process.start(program, arguments);
}

QProcessEnvironment Offscreen() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  return environment;
}

// Runs the tool until it is up, then ends it with `signal`; as an
// unprivileged user when asked (and when the test itself runs as root).
void RunAndSignal(const EmptyFolder& folder, int signal, bool unprivileged = false) {
  QProcess tool;
  if (unprivileged && ::geteuid() == 0) {
    QFile::setPermissions(QFileInfo(folder.Program()).absolutePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                           QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                                           QFileDevice::WriteOther | QFileDevice::ExeOther);
    Start(tool, "setpriv", Offscreen(),
          {"--reuid=65534", "--regid=65534", "--clear-groups", "--", folder.Program()});
  } else {
    Start(tool, folder.Program(), Offscreen());
  }
  QVERIFY(tool.waitForStarted(10000));
  QVERIFY(!tool.waitForFinished(1500));  // still running: it did not end by itself
  ::kill(static_cast<pid_t>(tool.processId()), signal);
  QVERIFY(tool.waitForFinished(10000));
  QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
  QCOMPARE(tool.exitCode(), 0);
}

int CountKeys(const QStringList& lines) {
  int keys = 0;
  for (const QString& line : lines)
    if (line.contains('=')) ++keys;
  return keys;
}

}  // namespace

class ProgramEntryTest : public QObject {
  Q_OBJECT

private slots:
  void sigtermInAnEmptyFolderWritesEveryKey() {
    EmptyFolder folder;
    RunAndSignal(folder, SIGTERM);
    const QStringList lines = folder.Lines("application.ini");
    QCOMPARE(CountKeys(lines), 28);
    for (const char* line : {"baudrate=3", "databit=1", "parity=2", "stopbit=0", "hardware=3", "transmitdrv=0",
                             "unit_no=0", "Taal=0", "X_hulplijn=0"})
      QVERIFY2(lines.contains(line), line);
  }

  void sigintDoesTheSame() {
    EmptyFolder folder;
    RunAndSignal(folder, SIGINT);
    QCOMPARE(CountKeys(folder.Lines("application.ini")), 28);
  }

  void serialSectionAloneGivesTheFileDefaults() {
    EmptyFolder folder;
    folder.Write("application.ini", "[Serieel]\n");
    RunAndSignal(folder, SIGTERM);
    const QStringList lines = folder.Lines("application.ini");
    for (const char* line : {"baudrate=6", "parity=1", "hardware=2", "transmitdrv=3"}) QVERIFY2(lines.contains(line), line);
    QCOMPARE(CountKeys(lines), 28);
  }

  void yesIsWrittenBackAsOne() {
    EmptyFolder folder;
    folder.Write("application.ini", "[Grafiek]\nX_hulplijn=5\n[Mine]\nkeep=this\n");
    RunAndSignal(folder, SIGTERM);
    const QStringList lines = folder.Lines("application.ini");
    QVERIFY(lines.contains("X_hulplijn=1"));
    QVERIFY(lines.contains("keep=this"));
  }

  // A settings file the tool cannot read is left exactly as it was.
  void unreadableSettingsFilesAreLeftAlone_data() {
    QTest::addColumn<bool>("tooLarge");
    QTest::newRow("2 MB") << true;
    QTest::newRow("mode 000") << false;
  }
  void unreadableSettingsFilesAreLeftAlone() {
    QFETCH(bool, tooLarge);
    EmptyFolder folder;
    const QByteArray content = "[Serieel]\nunit_no=9\n[Mine]\nkeep=this\n" + (tooLarge ? QByteArray(2 << 20, ';') : "");
    folder.Write("application.ini", content);
    if (!tooLarge) QFile::setPermissions(folder.File("application.ini"), QFileDevice::Permissions{});
    RunAndSignal(folder, SIGTERM, !tooLarge);
    QFile::setPermissions(folder.File("application.ini"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(folder.Read("application.ini"), content);
    if (!tooLarge) QCOMPARE(QFileInfo(folder.File("application.ini")).size(), qint64(content.size()));
  }

  void olderToolIsBroughtToTheFrontAndNothingStarts() {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    QVERIFY2(!xvfb.isEmpty(), "Xvfb is not installed (scripts/install-deps.sh installs it)");
    const QString display = ":" + QString::number(90 + QCoreApplication::applicationPid() % 100);
    QProcess server;
    server.start(xvfb, {display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    QVERIFY(server.waitForStarted(10000));
    QTest::qWait(1000);
    QProcessEnvironment x11 = QProcessEnvironment::systemEnvironment();
    x11.insert("DISPLAY", display);
    x11.insert("QT_QPA_PLATFORM", "xcb");

    QProcess older;
    Start(older, VQ2X_TITLED_WINDOW_PATH, x11, {"Mirelo Software Tool (KRT40)"});
    QVERIFY(older.waitForStarted(10000));
    QByteArray output;
    QTRY_VERIFY2_WITH_TIMEOUT((output += older.readAllStandardOutput()).contains("shown"), output.constData(), 10000);

    EmptyFolder folder;
    QProcess tool;
    Start(tool, folder.Program(), x11);
    QVERIFY(tool.waitForFinished(10000));
    QCOMPARE(tool.exitCode(), 0);
    QVERIFY(!QFile::exists(folder.File("application.ini")));  // no window was created
    older.terminate();
    older.waitForFinished(5000);

    // A running copy of this same program has another title: the next one starts.
    QProcess same;
    Start(same, VQ2X_TITLED_WINDOW_PATH, x11, {"Mirelo Software Tool (KRT2)"});
    QVERIFY(same.waitForStarted(10000));
    QTest::qWait(800);
    QProcess second;
    Start(second, folder.Program(), x11);
    QVERIFY(second.waitForStarted(10000));
    QVERIFY(!second.waitForFinished(2000));
    second.terminate();
    QVERIFY(second.waitForFinished(10000));
    QVERIFY(QFile::exists(folder.File("application.ini")));
    same.terminate();
    same.waitForFinished(5000);
    server.terminate();
    server.waitForFinished(5000);
  }
};

QTEST_GUILESS_MAIN(ProgramEntryTest)
#include "ProgramEntryTest.moc"
