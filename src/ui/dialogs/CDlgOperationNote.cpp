#include "ui/dialogs/CDlgOperationNote.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace ui {

namespace {

// The explanations ship with the program, in its own words.
const char* const kApplyHtml =
    "<p><b>Изменения вступают в силу после команды «Apply».</b> Страницы выше меняют только копию "
    "в окне; «Apply» проверяет её, записывает на почтовый узел и читает запись заново. «Rescan» "
    "отбрасывает несохранённые изменения, «Data &gt;&gt;» показывает, что будет записано.</p>";

const char* const kCautionHtml =
    "<p><b><font color=\"#c00000\">Данные направления/абонента получены с почтового узла не полностью.</font></b></p>"
    "<p>Применить изменения к такой записи нельзя: на сервер были бы записаны агенты передачи файлов или "
    "расписание, которые консоль не прочитала.</p>"
    "<p>Выполните «Rescan», когда канал связи с узлом будет восстановлен. «View &gt;&gt;» покажет "
    "полученные данные.</p>";

}  // namespace

CDlgOperationNote::CDlgOperationNote(const QString& html, const QStringList& buttons, QWidget* parent)
    : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  text_ = new QTextBrowser(this);
  text_->setObjectName("noteText");
  text_->setHtml(html);
  text_->setFrameShape(QFrame::StyledPanel);
  layout->addWidget(text_, 1);
  auto* row = new QHBoxLayout();
  row->addStretch(1);
  for (const QString& label : buttons) {
    auto* button = new QPushButton(label, this);
    button->setObjectName(label);
    row->addWidget(button);
    if (label == "Apply") connect(button, &QPushButton::clicked, this, &CDlgOperationNote::applyRequested);
    if (label == "Rescan") connect(button, &QPushButton::clicked, this, &CDlgOperationNote::rescanRequested);
    if (label == "Close") connect(button, &QPushButton::clicked, this, &CDlgOperationNote::closeRequested);
    if (label.endsWith(">>")) connect(button, &QPushButton::clicked, this, &CDlgOperationNote::moreRequested);
  }
  layout->addLayout(row);
}

QPushButton* CDlgOperationNote::Button(const QString& text) const {
  return findChild<QPushButton*>(text, Qt::FindDirectChildrenOnly);
}

CDlgApplySettings::CDlgApplySettings(QWidget* parent)
    : CDlgOperationNote(QString::fromUtf8(kApplyHtml), {"Apply", "Rescan", "Close", "Data >>"}, parent) {
  Text()->setMaximumHeight(64);
  data_ = new QTextBrowser(this);
  data_->setObjectName("dataPreview");
  data_->setLineWrapMode(QTextEdit::NoWrap);
  data_->hide();
  static_cast<QVBoxLayout*>(layout())->insertWidget(1, data_, 2);
  connect(this, &CDlgOperationNote::moreRequested, this, [this] {
    data_->setVisible(!data_->isVisible());
    Button("Data >>")->setText(data_->isVisible() ? "Data <<" : "Data >>");
  });
}

void CDlgApplySettings::SetData(const QString& preview) { data_->setPlainText(preview); }

bool CDlgApplySettings::DataShown() const { return data_->isVisible(); }

CDlgOpCation::CDlgOpCation(QWidget* parent)
    : CDlgOperationNote(QString::fromUtf8(kCautionHtml), {"Close", "Rescan", "View >>"}, parent) {}

}  // namespace ui
