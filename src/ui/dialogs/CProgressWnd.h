#pragma once
// A small window with a title, one line of text and a progress bar, shown
// beside the main window during a long operation. It never blocks the others.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace ui {

class CProgressWnd : public QWidget {
  Q_OBJECT

 public:
  explicit CProgressWnd(QWidget* parent = nullptr);

  // Shows the window with an empty bar of 0..rangeMax and an empty line.
  void Begin(const QString& title, int rangeMax);
  void SetPosition(int position);
  // Advances the bar, stopping at its end.
  void Step(int count);
  void SetLine(const QString& line);
  void End();

  int Position() const;
  int Maximum() const;
  QString Line() const;

 private:
  QLabel* line_;
  QProgressBar* bar_;
};

}  // namespace ui
