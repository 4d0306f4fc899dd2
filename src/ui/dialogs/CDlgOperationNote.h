#pragma once
// The two note panes of the entry view: a rich-text explanation with its
// action buttons. `CDlgApplySettings` stands under the pages ("Apply",
// "Rescan", "Close", "Data >>": the last one opens a preview of what the
// pages hold now); `CDlgOpCation` stands in place of the pages when the
// entry could not be read in full ("Close", "Rescan", "View >>": the last
// one shows the pages all the same).

#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace ui {

class CDlgOperationNote : public QWidget {
  Q_OBJECT

 public:
  QTextBrowser* Text() const { return text_; }
  QPushButton* Button(const QString& text) const;

 signals:
  void applyRequested();
  void rescanRequested();
  void closeRequested();
  // "Data >>" or "View >>".
  void moreRequested();

 protected:
  CDlgOperationNote(const QString& html, const QStringList& buttons, QWidget* parent);

 private:
  QTextBrowser* text_;
};

class CDlgApplySettings : public CDlgOperationNote {
  Q_OBJECT

 public:
  explicit CDlgApplySettings(QWidget* parent = nullptr);
  // The preview under "Data >>": lines of what the pages hold now.
  void SetData(const QString& preview);
  bool DataShown() const;

 private:
  QTextBrowser* data_;
};

class CDlgOpCation : public CDlgOperationNote {
  Q_OBJECT

 public:
  explicit CDlgOpCation(QWidget* parent = nullptr);
};

}  // namespace ui
