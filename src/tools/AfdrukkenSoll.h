#pragma once

#include <string>

#include "tools/PrintoutWindow.h"

// The setpoint printout: the page header of the parameter printout, a title
// and the 24 setpoints of SetpointTable as raw whole numbers on one page,
// without a page break. The setpoint editor opens it modally.
//
// Its own texts are the title ("NaamSoll") and the setpoint editor's two
// column captions. They are read on every activation while a language file
// is loaded; without one they are empty, so the printout has an empty title
// line and a blank column header.
class TFormAfdrukkenSoll : public TPrintoutWindow {
  Q_OBJECT
public:
  explicit TFormAfdrukkenSoll(QWidget* parent = nullptr);

  // The printout's title, as the last activation read it.
  const std::string& Title() const { return texts_.title; }
  // The column header above the setpoints: the number caption padded to 6,
  // three blanks, the value caption right-aligned in 12.
  std::string ColumnHeader() const;

protected:
  void FormActivate() override;
  std::vector<PrintPage> LayoutPages(const PrintMetrics& metrics, const PageHeaderTexts& header) override;

private:
  struct PrintoutTexts {
    std::string title, numberColumn, valueColumn;
  };
  static PrintoutTexts ReadTexts();

  PrintoutTexts texts_;
};

extern TFormAfdrukkenSoll* FormAfdrukkenSoll;
