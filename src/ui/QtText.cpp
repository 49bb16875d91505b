#include "ui/QtText.h"

#include <QStringDecoder>

QString Q(const std::string& text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (!utf8.hasError()) return decoded;
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string S(const QString& text) { return text.toStdString(); }

QString MessageLines(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      out += c;
      continue;
    }
    out += '\n';
    // A pair of two different line-end bytes is one line end.
    if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c) ++i;
  }
  return Q(out);
}
