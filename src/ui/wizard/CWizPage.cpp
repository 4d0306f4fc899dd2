#include "ui/wizard/CWizPage.h"

#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

CWizPage::CWizPage(const QString& caption, WizContext& context, QWidget* parent)
    : QWidget(parent), caption_(caption), context_(context) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  // The caption bar: the page's name, bold on the window's dark colour.
  auto* bar = new QLabel(caption, this);
  bar->setObjectName("pageCaption");
  QFont font = bar->font();
  font.setBold(true);
  bar->setFont(font);
  bar->setContentsMargins(6, 3, 6, 3);
  bar->setAutoFillBackground(true);
  QPalette palette = bar->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Highlight));
  palette.setColor(QPalette::WindowText, palette.color(QPalette::HighlightedText));
  bar->setPalette(palette);
  layout->addWidget(bar);
  auto* body = new QWidget(this);
  body_ = new QVBoxLayout(body);
  body_->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(body, 1);
}

}  // namespace ui
