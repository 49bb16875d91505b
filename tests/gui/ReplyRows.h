#pragma once

// Table rows of device replies and the texts a window shows for them.
#include <QByteArray>
#include <QString>
#include <functional>

#include "VirtualSerial.h"
#include "comm/RkGlobal.h"

// An empty reply is silence; afterMs below 0 sends the reply with a framing
// error on the line.
inline VirtualReply ScriptedReply(const QByteArray& reply, int afterMs) {
  if (reply.isEmpty()) return VirtualReply::Silence();
  if (afterMs < 0) return {{{5, reply.toStdString(), CE_FRAME}}, false};
  return VirtualReply::Answer(reply.toStdString(), afterMs);
}

// A status written as pieces joined by "|": pieces starting with
// "PanelTekst" are keys of the window's texts, the others literal text.
inline QString StatusText(const QString& pieces, const std::function<QString(const QString& key)>& text) {
  QString shown;
  for (const QString& piece : pieces.split('|')) shown += piece.startsWith("PanelTekst") ? text(piece) : piece;
  return shown;
}
