// Renders a Markdown file as one HTML page: the README that the package
// installs as the documentation the About window links to.
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: markdown-page INPUT.md OUTPUT.html TITLE\n");
    return 2;
  }
  // The text document needs fonts, hence an application; no screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  QFile input(QString::fromLocal8Bit(argv[1]));
  if (!input.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "markdown-page: %s: %s\n", argv[1], qPrintable(input.errorString()));
    return 1;
  }
  QTextDocument document;
  document.setMarkdown(QString::fromUtf8(input.readAll()));
  document.setMetaInformation(QTextDocument::DocumentTitle, QString::fromUtf8(argv[3]));
  QSaveFile output(QString::fromLocal8Bit(argv[2]));
  if (!output.open(QIODevice::WriteOnly) || output.write(document.toHtml().toUtf8()) < 0 || !output.commit()) {
    std::fprintf(stderr, "markdown-page: %s: %s\n", argv[2], qPrintable(output.errorString()));
    return 1;
  }
  return 0;
}
