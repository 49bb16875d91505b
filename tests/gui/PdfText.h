#pragma once

// A PDF read back as text with pdftotext from poppler-utils, and its pages
// rendered as PNG with pdftoppm to be looked at.
#include <QDir>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

inline QString Tool(const char* name) { return QStandardPaths::findExecutable(name); }

inline QString Run(const QStringList& arguments) {
  QProcess run;
  run.start(Tool("pdftotext"), arguments);
  run.waitForFinished(30000);
  return QString::fromUtf8(run.readAllStandardOutput());
}

// The text of a PDF as pdftotext lays it out, one string per page.
inline QStringList PdfPages(const QString& pdf) {
  QStringList pages = Run({"-layout", pdf, "-"}).split('\f');
  if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

// A word of a PDF page and where it lies, in points.
struct Word {
  double xMin, yMin, xMax;
  QString text;
};

inline QList<QList<Word>> PdfWords(const QString& pdf) {
  QList<QList<Word>> pages;
  static const QRegularExpression word(
      "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">(.*)</word>");
  for (const QString& line : Run({"-bbox", pdf, "-"}).split('\n')) {
    if (line.contains("<page ")) pages.append(QList<Word>());
    const auto match = word.match(line);
    if (!match.hasMatch() || pages.isEmpty()) continue;
    QString text = match.captured(4);
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
    pages.back().append({match.captured(1).toDouble(), match.captured(2).toDouble(), match.captured(3).toDouble(), text});
  }
  return pages;
}

// With VQ2X_SCREENSHOT_DIR set, the pages are rendered as PNG there
// ("name-page-1.png", "name-page-2.png"), to be looked at.
inline void RenderPages(const QString& pdf, const QString& name) {
  const QString dir = qEnvironmentVariable("VQ2X_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  QProcess::execute(Tool("pdftoppm"), {"-png", "-r", "72", "-l", "2", pdf, QDir(dir).filePath(name + "-page")});
}
