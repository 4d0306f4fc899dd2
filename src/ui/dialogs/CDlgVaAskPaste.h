#pragma once
// The paste question of the entry view: which pages take the pasted entry.
// Every page is ticked when the dialog opens.

#include <QDialog>

#include <array>

class QCheckBox;

namespace ui {

class CDlgVaAskPaste : public QDialog {
  Q_OBJECT

 public:
  // Main, routing, direction, agents, time intervals, abonent: the first six pages.
  static constexpr int kPageCount = 6;

  explicit CDlgVaAskPaste(QWidget* parent = nullptr);

  // The pages chosen, in page order.
  std::array<bool, kPageCount> Chosen() const;
  QCheckBox* Choice(int page) const { return choices_[static_cast<size_t>(page)]; }

 private:
  std::array<QCheckBox*, kPageCount> choices_{};
};

}  // namespace ui
