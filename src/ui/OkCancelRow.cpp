#include "ui/OkCancelRow.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

OkCancelButtons AddOkCancelRow(QDialog& dialog, QBoxLayout& layout, const char* cancelCaption) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  OkCancelButtons buttons{new QPushButton("OK", &dialog), new QPushButton(cancelCaption, &dialog)};
  buttons.ok->setObjectName("CmdOK");
  buttons.ok->setDefault(true);
  buttons.cancel->setObjectName("CmdCancel");
  row->addWidget(buttons.ok);
  row->addWidget(buttons.cancel);
  layout.addLayout(row);
  QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  return buttons;
}
