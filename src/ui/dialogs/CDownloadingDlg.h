#pragma once
// The small modeless window of a data load: "  Exchanging data ...  ", a
// running animation and one line telling what is being read.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace ui {

class CDownloadingDlg : public QWidget {
  Q_OBJECT

 public:
  explicit CDownloadingDlg(QWidget* parent = nullptr);
  // Shows the window with this line.
  void ShowLine(const QString& line);
  QString Line() const;

 private:
  QLabel* line_;
  QProgressBar* animation_;
};

}  // namespace ui
