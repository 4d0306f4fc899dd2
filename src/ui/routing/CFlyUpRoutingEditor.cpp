#include "ui/routing/CFlyUpRoutingEditor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "services/RoutingRows.h"
#include "ui/directions/ShortcutIcon.h"
#include "ui/text/QtText.h"

namespace ui {

CBoxesListCtrlForRoutingFlyUp::CBoxesListCtrlForRoutingFlyUp(QWidget* parent) : QListWidget(parent) {
  setObjectName("CBoxesListCtrlForRoutingFlyUp");
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void CBoxesListCtrlForRoutingFlyUp::SetEntries(const std::vector<services::ShortcutEntry>& entries) {
  clear();
  for (const services::ShortcutEntry& entry : entries) {
    auto* item = new QListWidgetItem(ShortcutIcon(entry.abonent, entry.active), FromCp(entry.name), this);
    item->setData(kAbonentRole, entry.abonent);
  }
}

QString CFlyUpRoutingEditor::Caption(const std::string& levelName, const std::string& key) {
  return QString::fromUtf8("%1:%2 (редактор записи)").arg(FromCp(levelName), FromCp(key));
}

QString CFlyUpRoutingEditor::Hint(const QString& text) {
  // The hint's text between the template's fixed parts.
  return QStringLiteral("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset204 "
                        "Tahoma;}}\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs16 %1\\lang1049\\par}")
      .arg(text);
}

QString CFlyUpRoutingEditor::HintShown(const QString& text) {
  // What the template draws: the text in 8-point Tahoma. Tool tips render
  // HTML, not that form, which would show as its raw control words.
  return QStringLiteral("<span style=\"font-family:Tahoma; font-size:8pt\">%1</span>").arg(text.toHtmlEscaped());
}

CFlyUpRoutingEditor::CFlyUpRoutingEditor(const std::string& levelName, const std::string& key,
                                         const std::string& target, QWidget* parent)
    : QWidget(parent),
      caption_(new QLabel(Caption(levelName, key), this)),
      key_(new QLineEdit(FromCp(key), this)),
      targets_(new QListWidget(this)),
      directions_(new CBoxesListCtrlForRoutingFlyUp(this)),
      byRule_(new QCheckBox(QString::fromUtf8("Маршрутизировать по правилу"), this)),
      add_(new QPushButton(QString::fromUtf8("Добавить в список направлений"), this)),
      remove_(new QPushButton(QString::fromUtf8("Удалить из списка направлений"), this)),
      apply_(new QPushButton(QString::fromUtf8("Применить сделанные изменения"), this)),
      cancel_(new QPushButton(QString::fromUtf8("Отмена"), this)),
      // The target list's own cancel button is spelled with a Latin capital O.
      targetsCancel_(new QPushButton(QString::fromUtf8("O") + QString::fromUtf8("тмена"), this)) {
  setObjectName("CFlyUpRoutingEditor");
  caption_->setObjectName("caption");
  QFont font = caption_->font();
  font.setBold(true);
  caption_->setFont(font);
  targets_->setObjectName("targets");
  for (const std::string& name : services::TargetNames(target)) targets_->addItem(FromCp(name));
  // A row routed by the Router's rule has no target.
  byRule_->setChecked(!key.empty() && target.empty());
  auto* layout = new QGridLayout(this);
  layout->addWidget(caption_, 0, 0, 1, 2);
  layout->addWidget(key_, 1, 0, 1, 2);
  layout->addWidget(targets_, 2, 0);
  layout->addWidget(directions_, 2, 1);
  auto* targetButtons = new QHBoxLayout;
  targetButtons->addWidget(remove_);
  targetButtons->addWidget(targetsCancel_);
  layout->addLayout(targetButtons, 3, 0);
  layout->addWidget(add_, 3, 1);
  layout->addWidget(byRule_, 4, 0, 1, 2);
  layout->addWidget(apply_, 5, 0);
  layout->addWidget(cancel_, 5, 1);
  for (QPushButton* button : {add_, remove_, apply_, cancel_, targetsCancel_}) {
    button->setProperty(kHintProperty, Hint(button->text()));
    button->setToolTip(HintShown(button->text()));
  }
  connect(add_, &QPushButton::clicked, this, [this] {
    QListWidgetItem* item = directions_->currentItem();
    if (item == nullptr || !targets_->findItems(item->text(), Qt::MatchExactly).isEmpty()) return;
    targets_->addItem(item->text());
    byRule_->setChecked(false);
  });
  connect(remove_, &QPushButton::clicked, this, [this] { delete targets_->currentItem(); });
  // Routing by rule sends no target: the list and its two buttons rest.
  const auto followRule = [this](bool on) {
    for (QWidget* widget : std::initializer_list<QWidget*>{targets_, add_, remove_}) widget->setEnabled(!on);
  };
  connect(byRule_, &QCheckBox::toggled, this, followRule);
  followRule(byRule_->isChecked());
  connect(apply_, &QPushButton::clicked, this, &CFlyUpRoutingEditor::applied);
  connect(cancel_, &QPushButton::clicked, this, &CFlyUpRoutingEditor::cancelled);
  connect(targetsCancel_, &QPushButton::clicked, this, &CFlyUpRoutingEditor::cancelled);
}

void CFlyUpRoutingEditor::SetDirections(const std::vector<services::ShortcutEntry>& entries) {
  entries_ = entries;
  directions_->SetEntries(entries);
}

std::string CFlyUpRoutingEditor::Key() const { return ToCp(key_->text()); }

std::string CFlyUpRoutingEditor::Target() const {
  if (byRule_->isChecked()) return {};
  std::string target;
  for (int i = 0; i < targets_->count(); ++i) target += (target.empty() ? "" : ",") + ToCp(targets_->item(i)->text());
  return services::NormalizedTargets(target);
}

bool CFlyUpRoutingEditor::AbonentTarget() const {
  const std::string target = Target();
  for (const services::ShortcutEntry& entry : entries_)
    if (entry.name == target) return entry.abonent;
  return false;
}

CFlyUpRoutingPopupWnd::CFlyUpRoutingPopupWnd(const std::string& levelName, const std::string& key,
                                             const std::string& target, QWidget* parent)
    : QDialog(parent), editor_(new CFlyUpRoutingEditor(levelName, key, target, this)) {
  setObjectName("CFlyUpRoutingPopupWnd");
  setWindowTitle(QString::fromUtf8("Редактор записи"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(editor_);
  connect(editor_, &CFlyUpRoutingEditor::applied, this, &QDialog::accept);
  connect(editor_, &CFlyUpRoutingEditor::cancelled, this, &QDialog::reject);
}

}  // namespace ui
