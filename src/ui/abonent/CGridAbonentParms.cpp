#include "ui/abonent/CGridAbonentParms.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMetaProperty>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

#include "ui/main/HeadingWidth.h"
#include "ports/DialogPort.h"
#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/main/EndGridEdit.h"
#include "ui/main/FieldsChooser.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

QString YesNo(bool yes) { return QString::fromUtf8(yes ? "Да" : "Нет"); }

bool HasLineEnd(const QString& text) { return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')); }

// Every edit, from an editor or a test, goes through CommitEdit.
class ParmDelegate : public QStyledItemDelegate {
 public:
  explicit ParmDelegate(CGridAbonentParms* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    const QByteArray property = editor->metaObject()->userProperty().name();
    grid_->CommitEdit(index.row(), index.column(), editor->property(property).toString());
  }

 private:
  CGridAbonentParms* grid_;
};

}  // namespace

CGridAbonentParms::CGridAbonentParms(Kind kind, ports::DialogPort* dialogs, QWidget* parent)
    : QTableWidget(0, kColumnCount, parent), kind_(kind), dialogs_(dialogs) {
  setObjectName(kind == Kind::Standard ? "CGridAbonentParmsStandard" : "CGridAbonentParmsAdditional");
  setHorizontalHeaderLabels({QString::fromUtf8("Изображение"), QString::fromUtf8("Параметр"),
                             QString::fromUtf8("Значение"), QString::fromUtf8("Обязательный параметр"),
                             QString::fromUtf8("Комментарий")});
  verticalHeader()->hide();
  // One line of text a row: sixteen standard rows fit a page.
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setStretchLastSection(true);
  const auto wide = [this](int column, int width) { SetColumnWidthAtLeastHeading(*horizontalHeader(), column, width); };
  wide(kImage, 28);
  wide(kName, 140);
  wide(kValue, 240);
  wide(kRequired, 90);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  setItemDelegate(new ParmDelegate(this));
}

void CGridAbonentParms::SetCell(int row, int column, const QString& text, bool editable) {
  auto* item = new QTableWidgetItem(text);
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (editable) flags |= Qt::ItemIsEditable;
  item->setFlags(flags);
  setItem(row, column, item);
}

void CGridAbonentParms::AppendRow(const AbonentParmRow& parm) {
  const int row = rowCount();
  insertRow(row);
  SetCell(row, kImage, QString(), false);
  item(row, kImage)->setData(Qt::UserRole, parm.valueLocked);
  SetCell(row, kName, FromCp(parm.name), kind_ == Kind::Additional);
  SetCell(row, kValue, FromCp(parm.value), !parm.valueLocked);
  SetCell(row, kRequired, YesNo(parm.required), false);
  item(row, kRequired)->setData(Qt::UserRole, parm.required);
  SetCell(row, kComment, FromCp(parm.comment), false);
  // The row image tells a locked value from an editable one.
  item(row, kImage)->setIcon(style()->standardIcon(parm.valueLocked ? QStyle::SP_FileDialogInfoView
                                                                     : QStyle::SP_FileDialogDetailedView));
}

void CGridAbonentParms::SetRows(const std::vector<AbonentParmRow>& rows) {
  if (state() == EditingState) {
    QWidget* editor = indexWidget(currentIndex());
    if (editor != nullptr) emit itemDelegateForIndex(currentIndex())->closeEditor(editor);
  }
  setRowCount(0);
  for (const AbonentParmRow& row : rows) AppendRow(row);
}

std::vector<AbonentParmRow> CGridAbonentParms::Rows() const {
  std::vector<AbonentParmRow> rows;
  for (int row = 0; row < rowCount(); ++row) {
    AbonentParmRow parm;
    parm.name = ToCp(CellText(row, kName));
    parm.value = ToCp(CellText(row, kValue));
    parm.required = item(row, kRequired)->data(Qt::UserRole).toBool();
    parm.comment = ToCp(CellText(row, kComment));
    parm.valueLocked = item(row, kImage)->data(Qt::UserRole).toBool();
    rows.push_back(std::move(parm));
  }
  return rows;
}

QString CGridAbonentParms::CellText(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell ? cell->text() : QString();
}

bool CGridAbonentParms::CanEdit(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell && (cell->flags() & Qt::ItemIsEditable);
}

bool CGridAbonentParms::CommitEdit(int row, int column, const QString& text) {
  if (!CanEdit(row, column) || HasLineEnd(text)) return false;
  QString taken = text;
  if (column == kName) {
    // The name is the key of a "name=value" line.
    if (text.contains(QLatin1Char('='))) return false;
    taken = FromCp(text::Trim(ToCp(text)));
  }
  if (taken == CellText(row, column)) return true;
  item(row, column)->setText(taken);
  emit changed();
  return true;
}

void CGridAbonentParms::EndEditing() { EndGridEdit(*this); }

bool CGridAbonentParms::InsertRowAndEdit() {
  if (kind_ != Kind::Additional) return false;
  EndEditing();
  AppendRow({});
  const int row = rowCount() - 1;
  setCurrentCell(row, kName);
  editItem(item(row, kName));
  emit changed();
  return true;
}

bool CGridAbonentParms::DeleteSelectedRows() {
  if (kind_ != Kind::Additional) return false;
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  if (rows.empty() || dialogs_ == nullptr) return false;
  if (!dialogs_->AskYesNo(text::Cp("Удалить выделенные параметры абонента?"), text::Cp("Вопрос"))) return false;
  EndEditing();
  std::sort(rows.rbegin(), rows.rend());
  for (int row : rows) removeRow(row);
  emit changed();
  return true;
}

void CGridAbonentParms::ChooseFields() {
  QStringList titles;
  for (int column = 0; column < columnCount(); ++column) titles << horizontalHeaderItem(column)->text();
  ui::ChooseFields(
      this, titles, [this](int column) { return !isColumnHidden(column); },
      [this](int column, bool shown) { setColumnHidden(column, !shown); });
}

void CGridAbonentParms::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Find) ||
      (event->key() == Qt::Key_F && (event->modifiers() & Qt::ControlModifier))) {
    ChooseFields();
    return;
  }
  switch (event->key()) {
    case Qt::Key_Insert:
      if (kind_ == Kind::Additional) InsertRowAndEdit();
      return;
    case Qt::Key_Delete:
      if (kind_ == Kind::Additional) DeleteSelectedRows();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (state() != EditingState && currentRow() >= 0) {
        // The value is what a parameter row is for; the name when the value is locked.
        const int row = currentRow();
        const int column = CanEdit(row, kValue) ? kValue : kName;
        if (CanEdit(row, column)) {
          setCurrentCell(row, column);
          editItem(item(row, column));
        }
        return;
      }
      break;
    default:
      break;
  }
  QTableWidget::keyPressEvent(event);
}

}  // namespace ui
