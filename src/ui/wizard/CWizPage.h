#pragma once
// One page of the entry view: a small dialog under a caption bar that reads
// its controls from a directory entry and writes them back into one. Every
// page reads the entry when the view opens or refreshes (hidden pages too);
// on apply the view has every page write back in page order, so that a later
// page may build on an earlier one (the agent page appends to the link text
// the main page has reset).
//
//   class CWizDirection : public CWizPage { ... };
//   page->ShowEntry(entry);  ...  page->GatherInto(work);

#include <QString>
#include <QWidget>

#include "ui/wizard/WizContext.h"

class QLabel;
class QVBoxLayout;

namespace model {
class _VxItemBase;
}

namespace ui {

class CWizPage : public QWidget {
  Q_OBJECT

 public:
  CWizPage(const QString& caption, WizContext& context, QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  // Whether an entry of this kind shows the page.
  virtual bool ShownFor(bool abonent) const = 0;
  // Reads the entry into the controls.
  virtual void ShowEntry(const model::_VxItemBase& entry) = 0;
  // Writes the controls into the entry.
  virtual void GatherInto(model::_VxItemBase& entry) = 0;
  // Ends an edit in progress (a grid's open editor), so that its value is taken.
  virtual void TakePendingInput() {}

 signals:
  // The user changed something on the page.
  void changed();

 protected:
  WizContext& Context() { return context_; }
  // The page's own controls go into this layout, under the caption bar.
  QVBoxLayout* Body() const { return body_; }

 private:
  QString caption_;
  WizContext& context_;
  QVBoxLayout* body_;
};

}  // namespace ui
