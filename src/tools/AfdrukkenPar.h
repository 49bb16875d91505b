#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/PrintText.h"
#include "tools/PrintoutWindow.h"

// The parameter printout: the page header and every parameter by the menus
// of the tree file, with the catalogue's names, decimals and option texts.
class TFormAfdrukkenPar : public TPrintoutWindow {
  Q_OBJECT
public:
  explicit TFormAfdrukkenPar(QWidget* parent = nullptr);

protected:
  void FormActivate() override;
  std::vector<PrintPage> LayoutPages(const PrintMetrics& metrics, const PageHeaderTexts& header) override;

private:
  // The tree file of the language; a file that exists but cannot be read is
  // reported and printing goes on without it.
  std::vector<std::string> TreeLines();

  std::array<std::string, PrintText::kParameterColumns> columnTexts_;  // empty without a language file
};

extern TFormAfdrukkenPar* FormAfdrukkenPar;
