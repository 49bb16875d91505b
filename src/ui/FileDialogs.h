#pragma once

#include <QString>

class QWidget;

enum class FileChoice { Open, Save };

// Asks for a file in OpenCloseDialoogPath and keeps the chosen file's
// folder there; empty when cancelled, and the folder stays as it was. An
// open accepts existing files only; a save asks before replacing a file and
// refuses a read-only one, so that another name can be chosen. `filter` is
// in the dialog's form ("Text (*.x);;..."); empty shows every file.
QString ChooseFile(QWidget* parent, FileChoice choice, const QString& title, const QString& filter,
                   const QString& suffix);
