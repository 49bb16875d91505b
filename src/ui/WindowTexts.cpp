#include "ui/WindowTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>

#include "model/Global_var.h"
#include "model/LanguageTexts.h"
#include "platform/CommaList.h"
#include "platform/IniDocument.h"
#include "ui/QtText.h"

namespace {

// A page of a tab widget sits in the tab widget's stack.
QTabWidget* TabOwning(QWidget* page) {
  QWidget* stack = page->parentWidget();
  if (stack == nullptr || qobject_cast<QStackedWidget*>(stack) == nullptr) return nullptr;
  return qobject_cast<QTabWidget*>(stack->parentWidget());
}

}  // namespace

WindowTexts::WindowTexts(std::string section, std::vector<TextRow> rows)
    : section_(std::move(section)), rows_(std::move(rows)) {}

bool WindowTexts::Apply(QWidget& window) {
  if (!GlobalVar().LanguageLoaded) return false;
  for (const TextRow& row : rows_) {
    const char* fallback = row.fallback != nullptr ? row.fallback : "";
    if (row.kind == TextRow::Kind::List) {
      if (row.control != nullptr) SetControlItems(window, row.control, TekstList(section_, row.key, fallback));
      continue;
    }
    const QString text = Q(Tekst(section_, row.key, fallback));
    stored_[AsciiLower(row.key)] = text;
    if (row.control != nullptr) SetControlText(window, row.control, text);
  }
  return true;
}

QString WindowTexts::Stored(const char* key) const {
  if (const auto it = stored_.find(AsciiLower(key)); it != stored_.end()) return it->second;
  for (const TextRow& row : rows_)
    if (EqualsNoCase(row.key, key)) return row.fallback != nullptr ? Q(row.fallback) : QString();
  return {};
}

QString WindowTexts::Lookup(const char* key, const char* fallback) const { return Q(Tekst(section_, key, fallback)); }

void SetControlText(QWidget& window, const QString& control, const QString& text) {
  if (control.isEmpty()) {
    window.setWindowTitle(text);
    return;
  }
  // Menu entries first: a window may own another window named like one of
  // its entries (the main window's "FormAbout").
  if (auto* action = window.findChild<QAction*>(control)) {
    action->setText(text);
    return;
  }
  QObject* target = window.findChild<QWidget*>(control);
  if (auto* menu = qobject_cast<QMenu*>(target)) {
    menu->setTitle(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
    group->setTitle(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(target)) {
    label->setText(text);
  } else if (auto* page = qobject_cast<QWidget*>(target)) {
    if (QTabWidget* tabs = TabOwning(page))
      tabs->setTabText(tabs->indexOf(page), text);
    else
      page->setWindowTitle(text);
  }
}

void SetControlItems(QWidget& window, const QString& control, const std::vector<std::string>& items) {
  auto* combo = window.findChild<QComboBox*>(control);
  if (combo == nullptr) return;
  const int selected = combo->currentIndex();
  combo->clear();
  for (const std::string& item : items) combo->addItem(Q(item));
  if (selected < combo->count()) combo->setCurrentIndex(selected);
}
