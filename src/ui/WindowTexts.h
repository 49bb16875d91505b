#pragma once

#include <QString>
#include <map>
#include <string>
#include <vector>

class QWidget;

// One text of a window: which control shows it, its key in the window's
// section of the language file, and the built-in text used when a loaded
// language file lacks the key.
struct TextRow {
  enum class Kind {
    Text,  // caption, label, button, group, menu, menu entry or tab text
    List,  // the entries of a drop-down list, as a comma list
  };
  // Object name of the control; "" for the window's own caption; nullptr
  // for a text the window keeps (state captions, messages) and reads with
  // Stored().
  const char* control;
  const char* key;
  const char* fallback;  // nullptr: empty when the key is missing
  Kind kind = Kind::Text;
};

// A window's text table, applied by one routine: only while a language file
// is loaded, since without one the window keeps its laid-out captions.
// Stored texts fall back to their built-in defaults until a file is loaded.
class WindowTexts {
public:
  WindowTexts(std::string section, std::vector<TextRow> rows);

  // Looks every row up and applies it to its control in `window`. Returns
  // whether a language file was loaded (nothing is done otherwise).
  bool Apply(QWidget& window);
  // The text of a row, as last applied, or its built-in default.
  QString Stored(const char* key) const;
  // A text of this section looked up now (messages), or fallback.
  QString Lookup(const char* key, const char* fallback = "") const;
  const std::string& Section() const { return section_; }

private:
  std::string section_;
  std::vector<TextRow> rows_;
  std::map<std::string, QString> stored_;  // lower-case key -> text
};

// Sets a control's text by what it is (label, button, group box, action,
// menu, tab page, window); a list row replaces a combo box's entries.
void SetControlText(QWidget& window, const QString& control, const QString& text);
void SetControlItems(QWidget& window, const QString& control, const std::vector<std::string>& items);
