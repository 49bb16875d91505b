#pragma once

class QBoxLayout;
class QDialog;
class QPushButton;

// OK (the default button) and Cancel at the right end of a row added to
// `layout`; Cancel rejects the dialog, what OK does is the caller's.
struct OkCancelButtons {
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
};
OkCancelButtons AddOkCancelRow(QDialog& dialog, QBoxLayout& layout, const char* cancelCaption);
