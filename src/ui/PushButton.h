#pragma once

class QPushButton;
class QWidget;

// A push button named for its row in the window's text table, that leaves
// Enter to the window (it never becomes the default button by focus).
QPushButton* NewPushButton(QWidget* parent, const char* name, const char* caption);
