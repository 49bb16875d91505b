#include "shell/InfoErrorNummers.h"

#include <QEvent>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "model/Global_var.h"
#include "platform/AtomicFile.h"
#include "platform/RtfReader.h"
#include "ui/QtText.h"

TFormInfoErrorNummers* FormInfoErrorNummers = nullptr;

namespace {

const QColor kHelpBackground(255, 255, 151);
constexpr int kWidth = 545;
constexpr int kHeight = 362;
constexpr std::size_t kMaxHelpFileSize = 8 * 1024 * 1024;

const std::vector<TextRow> kHelpTexts = {
    {"", "Caption", "Error nummers"},
};

QTextCharFormat FormatOf(const RtfRun& run) {
  QTextCharFormat format;
  format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(run.italic);
  format.setFontUnderline(run.underline);
  if (run.fontSize > 0) format.setFontPointSize(run.fontSize);
  if (!run.fontName.empty()) format.setFontFamilies({Q(run.fontName)});
  if (run.color) format.setForeground(QColor(run.color->red, run.color->green, run.color->blue));
  return format;
}

// One block per paragraph, one fragment per run; a line break inside a
// paragraph (U+2028) stays a line break of its block.
void Fill(QTextDocument& document, const RtfDocument& rtf) {
  document.clear();
  QTextCursor cursor(&document);
  QTextBlockFormat block;
  block.setBottomMargin(4);
  bool first = true;
  for (const RtfParagraph& paragraph : rtf.paragraphs) {
    if (first)
      cursor.setBlockFormat(block);
    else
      cursor.insertBlock(block);
    first = false;
    for (const RtfRun& run : paragraph) cursor.insertText(QString::fromUtf8(run.text), FormatOf(run));
  }
}

std::string HelpFileName(int languageIndex) {
  if (languageIndex < 0 || languageIndex > 2) return {};
  return "ErrorHelp" + std::to_string(languageIndex) + ".rtf";
}

}  // namespace

TFormInfoErrorNummers::TFormInfoErrorNummers(QWidget* parent)
    : TWindowBase(parent, "FormInfoErrorNummers", "Error nummers"), texts_("HelpErrorNummers", kHelpTexts) {
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  RichEdit1 = new QTextEdit(this);
  RichEdit1->setObjectName("RichEdit1");
  RichEdit1->setReadOnly(true);
  RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setAccessibleName("Error numbers");
  layout->addWidget(RichEdit1);
  resize(kWidth, kHeight);
}

void TFormInfoErrorNummers::FormActivate() {
  if (parentWidget() != nullptr)
    move(parentWidget()->geometry().center() - QPoint(width() / 2, height() / 2));
  LoadDocument();
}

// Becoming active again (from the main window, say) shows a changed document.
void TFormInfoErrorNummers::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible()) LoadDocument();
  TWindowBase::changeEvent(event);
}

void TFormInfoErrorNummers::LoadDocument() {
  QPalette yellow = RichEdit1->palette();
  yellow.setColor(QPalette::Base, kHelpBackground);
  RichEdit1->setPalette(yellow);
  texts_.Apply(*this);
  const std::string name = HelpFileName(GlobalVar().LanguageIndex);
  if (name.empty()) return;
  const std::string path = GlobalVar().ProgramDir + name;
  const QFileInfo file(Q(path));
  if (!file.exists()) return;  // no document: the view keeps what it shows
  const FileStamp stamp{file.absoluteFilePath(), file.size(), file.lastModified()};
  if (stamp == shown_) return;
  const bool sameFile = stamp.path == shown_.path;
  const int place = RichEdit1->verticalScrollBar()->value();
  shown_ = ReadDocument(path) ? stamp : FileStamp{};
  // The same document changed: the reader stays where he was.
  if (sameFile && shown_ == stamp) RichEdit1->verticalScrollBar()->setValue(place);
}

bool TFormInfoErrorNummers::ReadDocument(const std::string& path) {
  std::string content;
  std::string error;
  if (!ReadWholeFile(path, &content, kMaxHelpFileSize, &error)) {
    ShowFailure("File", error);
    return false;
  }
  const RtfDocument document = ReadRtf(content);
  if (document.error) {
    ShowFailure("RTF", *document.error);
    return false;
  }
  Fill(*RichEdit1->document(), document);
  RichEdit1->moveCursor(QTextCursor::Start);
  return true;
}

// In the view rather than in a message box: the box would take the
// activation, and closing it would activate this window and load again.
void TFormInfoErrorNummers::ShowFailure(const char* kind, const std::string& message) {
  RichEdit1->setPlainText(QString(kind) + " error raised, with message : " + Q(message));
}
