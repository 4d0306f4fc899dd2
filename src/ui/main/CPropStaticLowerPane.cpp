#include "ui/main/CPropStaticLowerPane.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/main/CPropGridCtrl.h"
#include "ui/text/QtText.h"

namespace ui {

CPropStaticLowerPane::CPropStaticLowerPane(QWidget* parent)
    : QWidget(parent),
      serverLine_(new QLabel(this)),
      computerLine_(new QLabel(this)),
      taskLine_(new QLabel(this)),
      grid_(new CPropGridCtrl(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* header = new QFormLayout();
  header->setLabelAlignment(Qt::AlignRight);
  header->addRow(QString::fromUtf8("Узел :"), serverLine_);
  header->addRow(QString::fromUtf8("Компьютер :"), computerLine_);
  header->addRow(QString::fromUtf8("Задача :"), taskLine_);
  for (QLabel* line : {serverLine_, computerLine_, taskLine_}) {
    QFont font = line->font();
    font.setBold(true);
    line->setFont(font);
  }
  layout->addLayout(header);
  layout->addWidget(grid_, 1);
  connect(grid_, &CPropGridCtrl::openRequested, this,
          [this](services::OpenTarget target) { emit openRequested(target, server_, computer_); });
}

void CPropStaticLowerPane::Show(const std::string& mailServer, const std::string& computer, const std::string& task,
                                std::unique_ptr<CPropView> view) {
  server_ = mailServer;
  computer_ = computer;
  task_ = task;
  serverLine_->setText(FromCp(mailServer));
  computerLine_->setText(FromCp(computer));
  taskLine_->setText(FromCp(task));
  view_ = std::move(view);
  grid_->SetRows(view_ ? view_->Rows() : std::vector<services::PropertyRow>{});
}

}  // namespace ui
