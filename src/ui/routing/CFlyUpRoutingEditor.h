#pragma once
// The pop-up editor of one routing record: the key, the target list, the
// node's directions to pick from, and the "route by rule" choice (an empty
// target). CFlyUpRoutingPopupWnd is its window, CBoxesListCtrlForRoutingFlyUp
// its direction list.

#include <QDialog>
#include <QListWidget>

#include <string>
#include <vector>

#include "services/DirectoryNames.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

// The node's directions and abonents, each with its picture.
class CBoxesListCtrlForRoutingFlyUp : public QListWidget {
  Q_OBJECT

 public:
  explicit CBoxesListCtrlForRoutingFlyUp(QWidget* parent = nullptr);
  void SetEntries(const std::vector<services::ShortcutEntry>& entries);
  static constexpr int kAbonentRole = Qt::UserRole + 1;
};

class CFlyUpRoutingEditor : public QWidget {
  Q_OBJECT

 public:
  CFlyUpRoutingEditor(const std::string& levelName, const std::string& key, const std::string& target,
                      QWidget* parent = nullptr);

  void SetDirections(const std::vector<services::ShortcutEntry>& entries);
  std::string Key() const;
  // The target list joined by ","; empty when routed by the rule.
  std::string Target() const;
  // The target is one listed abonent.
  bool AbonentTarget() const;

  QLineEdit* KeyEdit() const { return key_; }
  QListWidget* Targets() const { return targets_; }
  CBoxesListCtrlForRoutingFlyUp* Directions() const { return directions_; }
  QCheckBox* ByRule() const { return byRule_; }
  QPushButton* AddButton() const { return add_; }
  QPushButton* RemoveButton() const { return remove_; }
  QPushButton* ApplyButton() const { return apply_; }
  QPushButton* CancelButton() const { return cancel_; }
  // The second cancel button, beside the target list's own buttons.
  QPushButton* TargetsCancelButton() const { return targetsCancel_; }
  // The caption "%s:%s (редактор записи)".
  static QString Caption(const std::string& levelName, const std::string& key);
  // A button's rich-text hint.
  static QString Hint(const QString& text);
  // The hint as a tool tip shows it.
  static QString HintShown(const QString& text);
  // The button property that keeps each hint's template form.
  static constexpr const char* kHintProperty = "vtRichHint";

 signals:
  void applied();
  void cancelled();

 private:
  QLabel* caption_;
  QLineEdit* key_;
  QListWidget* targets_;
  CBoxesListCtrlForRoutingFlyUp* directions_;
  QCheckBox* byRule_;
  QPushButton* add_;
  QPushButton* remove_;
  QPushButton* apply_;
  QPushButton* cancel_;
  QPushButton* targetsCancel_;
  std::vector<services::ShortcutEntry> entries_;
};

class CFlyUpRoutingPopupWnd : public QDialog {
  Q_OBJECT

 public:
  CFlyUpRoutingPopupWnd(const std::string& levelName, const std::string& key, const std::string& target,
                        QWidget* parent = nullptr);
  CFlyUpRoutingEditor* Editor() const { return editor_; }

 private:
  CFlyUpRoutingEditor* editor_;
};

}  // namespace ui
