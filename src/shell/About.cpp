#include "shell/About.h"

#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/Global_var.h"
#include "ui/ApplicationTitle.h"
#include "ui/QtText.h"

TFormAbout* FormAbout = nullptr;

namespace {

constexpr int kClientWidth = 353;
constexpr int kClientHeight = 354;
constexpr const char* kLaidOutVersionCaption = "Software versie:";
constexpr const char* kLaidOutLicence =
    "Gebruikt Qt onder de GNU LGPL versie 3; de licentieteksten staan in de documentatie.";
const QColor kLinkColour(0, 0, 255);

const std::vector<TextRow> kAboutTexts = {
    {"", "Caption", "Info"},
    {"LabelHandelsmerk", "Handelsmerk", "Handelsmerk"},
    {nullptr, "SoftwareVersie", "Software versie:"},
    {nullptr, "Gebouwd", "Gebouwd"},
    {"LabelLicentie", "Licentie", kLaidOutLicence},
    {nullptr, "Documentatie", "Documentatie"},
};

// The documentation installed with the program: a link beside it leads to
// the system's documentation folder. Empty when there is none (a build
// folder, a copy without it).
QString InstalledDocumentation() {
  const QString readme = Q(GlobalVar().ProgramDir) + "doc/README.html";
  return QFileInfo::exists(readme) ? QFileInfo(readme).absoluteFilePath() : QString();
}

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent, int pixelSize = 0, bool bold = false) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  QFont font = label->font();
  if (pixelSize > 0) font.setPixelSize(pixelSize);
  font.setBold(bold);
  label->setFont(font);
  return label;
}

// A sunken strip between the parts of the window.
QFrame* MakeDecoration(const char* name, QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::HLine);
  panel->setFrameShadow(QFrame::Sunken);
  return panel;
}

}  // namespace

TFormAbout::TFormAbout(QWidget* parent) : TWindowBase(parent, "FormAbout", "Info"), texts_("About", kAboutTexts) {
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);

  auto* logo = MakeLabel("ImageLogo", "VQ2x", this, 36, true);
  logo->setFrameShape(QFrame::Box);
  logo->setFixedHeight(60);
  logo->setAccessibleDescription("Logo");
  layout->addWidget(logo);
  layout->addWidget(MakeLabel("LabelProduct", "VQ2x Service Tool", this, 18, true));
  layout->addWidget(MakeDecoration("Panel1", this));
  LabelGebouwd = MakeLabel("LabelGebouwd", "", this);
  layout->addWidget(LabelGebouwd);
  layout->addWidget(MakeLabel("LabelLicentie", kLaidOutLicence, this));
  LabelHandelsmerk = MakeLabel("LabelHandelsmerk", "Mirelo en VQ2x zijn handelsmerken van de fabrikant.", this);
  layout->addWidget(LabelHandelsmerk);
  layout->addWidget(MakeDecoration("Panel2", this));

  LabelWWWLink = MakeLabel("LabelWWWLink", Q(GlobalVar().ProgramDir), this, 13);
  QFont linkFont = LabelWWWLink->font();
  linkFont.setUnderline(true);
  LabelWWWLink->setFont(linkFont);
  QPalette blue = LabelWWWLink->palette();
  blue.setColor(QPalette::WindowText, kLinkColour);
  LabelWWWLink->setPalette(blue);
  LabelWWWLink->setCursor(Qt::PointingHandCursor);
  LabelWWWLink->setFocusPolicy(Qt::StrongFocus);
  LabelWWWLink->installEventFilter(this);
  layout->addWidget(LabelWWWLink);
  layout->addWidget(MakeDecoration("Panel3", this));

  layout->addWidget(MakeLabel("LabelTitel", kApplicationTitle, this, 0, true));
  LabelSoftwareVersie = MakeLabel("LabelSoftwareVersie", kLaidOutVersionCaption, this);
  layout->addWidget(LabelSoftwareVersie);
  layout->addStretch(1);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("CmdOK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignCenter);
  setFixedSize(kClientWidth, kClientHeight);
}

QUrl TFormAbout::LinkUrl() const {
  const QString documentation = InstalledDocumentation();
  return QUrl::fromLocalFile(documentation.isEmpty() ? QDir(Q(GlobalVar().ProgramDir)).absolutePath() : documentation);
}

void TFormAbout::FormActivate() {
  const bool loaded = texts_.Apply(*this);
  const QString caption = loaded ? texts_.Stored("SoftwareVersie") : QString(kLaidOutVersionCaption);
  // Built afresh each time, so the number is there once however often the
  // window opens.
  LabelSoftwareVersie->setText(caption + " " + VersionText);
  LabelGebouwd->setText(texts_.Stored("Gebouwd") + " " + BuildDate + ", Qt " + qVersion());
  // Without installed documentation the link shows the program folder,
  // with its data and help files.
  const QString documentation = InstalledDocumentation();
  LabelWWWLink->setText(documentation.isEmpty() ? Q(GlobalVar().ProgramDir) : texts_.Stored("Documentatie"));
  LabelWWWLink->setToolTip(LinkUrl().toLocalFile());
}

bool TFormAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LabelWWWLink) {
    const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                         static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    const bool pressed = event->type() == QEvent::KeyPress &&
                         (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space ||
                          static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return);
    if (clicked || pressed) {
      LabelWWWLinkClick();
      return true;
    }
  }
  return TWindowBase::eventFilter(watched, event);
}

// A failing request is not reported: the tooltip names what it opens.
void TFormAbout::LabelWWWLinkClick() { QDesktopServices::openUrl(LinkUrl()); }
