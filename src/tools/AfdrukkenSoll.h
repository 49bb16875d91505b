#pragma once

#include <string>

#include "tools/PrintoutWindow.h"

// The setpoint printout: the page header, a title and the 24 setpoints as
// raw whole numbers on one page.
class TFormAfdrukkenSoll : public TPrintoutWindow {
  Q_OBJECT
public:
  explicit TFormAfdrukkenSoll(QWidget* parent = nullptr);

protected:
  void FormActivate() override;
  std::vector<PrintPage> LayoutPages(const PrintMetrics& metrics, const PageHeaderTexts& header) override;

private:
  // Empty without a language file.
  std::string title_, numberColumnText_, valueColumnText_;
};

extern TFormAfdrukkenSoll* FormAfdrukkenSoll;
