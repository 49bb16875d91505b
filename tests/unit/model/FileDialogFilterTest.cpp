#include "model/FileDialogFilter.h"

#include <gtest/gtest.h>

namespace {

struct FilterRow {
  const char* given;
  const char* dialog;
};

const FilterRow kFilterRows[] = {
    {"Setpoint file (*.vqs)|*.vqs", "Setpoint file (*.vqs)"},
    {"ASCII Parameterbestand (*.vqp)|*.vqp", "ASCII Parameterbestand (*.vqp)"},
    {"Setpoint files|*.vqs", "Setpoint files (*.vqs)"},
    {"Text|*.txt;*.ini|All files|*.*", "Text (*.txt *.ini);;All files (*.*)"},
    {"Text (*.txt;*.ini)|*.txt;*.ini", "Text (*.txt;*.ini)"},
    {"*.vqp", "*.vqp"},
    {"|*.vqs", "*.vqs"},
    {"Setpoints|", ""},
    {"Setpoints| |All|*", "All (*)"},
    {"", ""},
};

TEST(DialogFilter, LanguageFormBecomesTheDialogForm) {
  for (const FilterRow& row : kFilterRows) {
    SCOPED_TRACE(row.given);
    EXPECT_EQ(DialogFilter(row.given), row.dialog);
  }
}

}  // namespace
