#pragma once

#include <QDateTime>

#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QTextEdit;

// The help text on the device's error numbers, in the chosen language
// ("ErrorHelp0.rtf" .. "ErrorHelp2.rtf" in the program folder). Not modal,
// so it can stay open beside the main window. Each time the window becomes
// active it looks at the document's file: a change of language or of the
// file (its size or modification time) shows then; an unchanged document is
// not read again and keeps the reader's place.
class TFormInfoErrorNummers : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormInfoErrorNummers(QWidget* parent = nullptr);

  QTextEdit* RichEdit1 = nullptr;

protected:
  void FormActivate() override;
  void changeEvent(QEvent* event) override;

private:
  void LoadDocument();
  bool ReadDocument(const std::string& path);
  void ShowFailure(const char* kind, const std::string& message);

  WindowTexts texts_;
  // The file shown, as it was when read: path, size, modification time.
  struct FileStamp {
    QString path;
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const FileStamp&) const = default;
  };
  FileStamp shown_;
};

extern TFormInfoErrorNummers* FormInfoErrorNummers;
