#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <cerrno>
#include <cstring>

#include "model/Global_var.h"
#include "ui/QtText.h"

QString ChooseFile(QWidget* parent, FileChoice choice, const QString& title, const QString& filter,
                   const QString& suffix) {
  const bool save = choice == FileChoice::Save;
  QFileDialog dialog(parent, title, Q(GlobalVar().OpenCloseDialoogPath));
  dialog.setObjectName(save ? "SaveDialog1" : "OpenDialog1");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!filter.isEmpty()) dialog.setNameFilters(filter.split(";;"));
  dialog.setDefaultSuffix(suffix);
  for (;;) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString path = dialog.selectedFiles().front();
    const QFileInfo info(path);
    if (!save || !info.exists() || info.isWritable()) {
      GlobalVar().OpenCloseDialoogPath = S(info.absolutePath() + "/");
      return path;
    }
    QMessageBox refused(QMessageBox::Critical, QString(),
                        QString("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(EACCES))), QMessageBox::Ok,
                        parent);
    refused.setObjectName("ReadOnlyRefused");
    refused.exec();
  }
}
