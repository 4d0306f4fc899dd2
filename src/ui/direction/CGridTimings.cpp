#include "ui/direction/CGridTimings.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QStyledItemDelegate>
#include <QTimeEdit>

#include "model/schedule/ScheduleRowEdit.h"
#include "text/Cp1251.h"
#include "ui/icons/Icons.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

const char* const kTimeFormat = "HH:mm:ss";

// Grid column to row-form column: the image column comes first.
size_t RowColumn(int column) { return static_cast<size_t>(column - 1); }

bool IsTimeColumn(int column) {
  return column == CGridTimings::kStartTime || column == CGridTimings::kEndTime ||
         column == CGridTimings::kInterval;
}

QStringList Choices(const std::vector<std::string>& texts) {
  QStringList list;
  for (const auto& t : texts) list << FromCp(t);
  return list;
}

}  // namespace

class TimingsModel : public QAbstractTableModel {
 public:
  explicit TimingsModel(QObject* parent) : QAbstractTableModel(parent) {}

  std::vector<model::ScheduleRow> rows;

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : CGridTimings::kColumnCount;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const auto& row = rows[static_cast<size_t>(index.row())];
    if (index.column() == CGridTimings::kImage)
      return role == Qt::DecorationRole ? QVariant(EntryIcon(false)) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return FromCp(row.Cell(RowColumn(index.column())));
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() != CGridTimings::kImage &&
        model::CanEditRowCell(rows[static_cast<size_t>(index.row())], RowColumn(index.column())))
      f |= Qt::ItemIsEditable;
    return f;
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == CGridTimings::kImage) return QString::fromUtf8("Изображение");
    static const auto headings = model::ScheduleRowHeadings();
    return section > 0 && section < CGridTimings::kColumnCount ? FromCp(headings[RowColumn(section)]) : QVariant();
  }

  void Reset(std::vector<model::ScheduleRow> newRows) {
    beginResetModel();
    rows = std::move(newRows);
    endResetModel();
  }

  void RowChanged(int row) { emit dataChanged(index(row, 0), index(row, CGridTimings::kColumnCount - 1)); }

  void Append(model::ScheduleRow row) {
    const int at = rowCount();
    beginInsertRows({}, at, at);
    rows.push_back(std::move(row));
    endInsertRows();
  }

  void Remove(int row) {
    beginRemoveRows({}, row, row);
    rows.erase(rows.begin() + row);
    endRemoveRows();
  }
};

// Opens the editor each column wants and hands what was chosen to the grid's
// rules instead of writing it into the model directly.
class TimingsDelegate : public QStyledItemDelegate {
 public:
  explicit TimingsDelegate(CGridTimings* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
    if (!(index.flags() & Qt::ItemIsEditable)) return nullptr;
    const int column = index.column();
    if (IsTimeColumn(column)) {
      auto* edit = new QTimeEdit(parent);
      edit->setDisplayFormat(QString::fromLatin1(kTimeFormat));
      return edit;
    }
    auto* combo = new QComboBox(parent);
    if (column == CGridTimings::kType) combo->addItems(Choices(model::RowTypeChoices()));
    if (column == CGridTimings::kStartWeekday || column == CGridTimings::kEndWeekday)
      combo->addItems(Choices(model::RowWeekdayChoices()));
    if (column == CGridTimings::kMode) combo->addItems(Choices(model::RowModeChoices()));
    return combo;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    const QString cell = index.data(Qt::EditRole).toString();
    if (auto* edit = qobject_cast<QTimeEdit*>(editor)) {
      QTime start = QTime::fromString(cell, QString::fromLatin1(kTimeFormat));
      if (!start.isValid()) start = QTime(0, 0, 0);
      edit->setTime(start);
      edit->setProperty("startTime", start);
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
      const int at = combo->findText(cell);
      if (at >= 0) combo->setCurrentIndex(at);
    }
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    QString text;
    if (auto* edit = qobject_cast<QTimeEdit*>(editor)) {
      // Unchanged: the cell keeps its own text.
      if (edit->time() == edit->property("startTime").toTime()) return;
      text = edit->time().toString(QString::fromLatin1(kTimeFormat));
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
      text = combo->currentText();
    } else {
      return;
    }
    grid_->CommitEdit(index.row(), index.column(), text);
  }

 private:
  CGridTimings* grid_;
};

CGridTimings::CGridTimings(ports::DialogPort* dialogs, QWidget* parent)
    : CDirectionGrid(dialogs, parent), model_(new TimingsModel(this)) {
  setModel(model_);
  setItemDelegate(new TimingsDelegate(this));
  InitHeader();
}

void CGridTimings::SetFrames(const std::vector<model::CTempModeFrame>& frames) {
  removeAfterEdit_ = QPersistentModelIndex();
  model_->Reset(model::FramesToRows(frames));
}

std::vector<model::CTempModeFrame> CGridTimings::Frames() const { return model::RowsToFrames(model_->rows); }

const std::vector<model::ScheduleRow>& CGridTimings::Rows() const { return model_->rows; }

model::CTempModeFrame CGridTimings::RowFrame(int row) const {
  if (row < 0 || row >= RowCount()) return {};
  return model::RowToFrame(model_->rows[static_cast<size_t>(row)]);
}

void CGridTimings::SetRowFrame(int row, const model::CTempModeFrame& frame) {
  if (row < 0 || row >= RowCount()) return;
  model_->rows[static_cast<size_t>(row)] = model::FrameToRow(frame);
  model_->RowChanged(row);
  emit changed();
}

bool CGridTimings::CommitEdit(int row, int column, const QString& text) {
  if (row < 0 || row >= RowCount() || column <= kImage || column >= kColumnCount) return false;
  model::ScheduleRow& cells = model_->rows[static_cast<size_t>(row)];
  if (!model::CanEditRowCell(cells, RowColumn(column))) return false;
  const model::RowEdit result = model::ApplyRowEdit(cells, RowColumn(column), ToCp(text));
  if (result == model::RowEdit::RemoveRow) {
    // Removing the row under an open editor would leave the view editing a
    // cell that is gone: it goes once the editor has closed.
    if (IsEditing()) {
      removeAfterEdit_ = QPersistentModelIndex(model_->index(row, 0));
    } else {
      model_->Remove(row);
    }
    emit changed();
    return true;
  }
  model_->RowChanged(row);
  if (result != model::RowEdit::Applied) return false;
  emit changed();
  return true;
}

std::string CGridTimings::DeleteQuestion() const { return text::Cp("Удалить выделенные временные интервалы?"); }

void CGridTimings::AppendRow() { model_->Append(model::NewScheduleRow()); }

void CGridTimings::RemoveRows(const std::vector<int>& rows) {
  for (const int row : rows) model_->Remove(row);
}

void CGridTimings::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  CDirectionGrid::closeEditor(editor, hint);
  if (removeAfterEdit_.isValid()) {
    const int row = removeAfterEdit_.row();
    removeAfterEdit_ = QPersistentModelIndex();
    model_->Remove(row);
  }
}

}  // namespace ui
