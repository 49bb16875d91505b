#pragma once

class QLabel;
class QWidget;

// The sunken, centred, word-wrapped bold panel in which the loader, the
// read and the write windows say how a run goes: `lines` lines high at its
// font (the window's font, or `pixelSize` pixels when that is above 0).
QLabel* NewStatusPanel(QWidget* parent, int width, int lines, int pixelSize = 0);
