#include "ui/direction/CGridApf.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/icons/Icons.h"
#include "ui/text/QtText.h"

namespace ui {

class ApfModel : public QAbstractTableModel {
 public:
  explicit ApfModel(QObject* parent) : QAbstractTableModel(parent) {}

  std::vector<model::AgentRow> rows;

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : CGridApf::kColumnCount;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const auto& row = rows[static_cast<size_t>(index.row())];
    if (index.column() == CGridApf::kImage)
      return role == Qt::DecorationRole ? QVariant(EntryIcon(false)) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    if (index.column() == CGridApf::kName) return FromCp(row.name);
    if (index.column() == CGridApf::kValue) return FromCp(row.value);
    return QString();
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == CGridApf::kName || index.column() == CGridApf::kValue) f |= Qt::ItemIsEditable;
    return f;
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kHeadings[CGridApf::kColumnCount] = {"Изображение", "Имя АПФ", "Параметр",
                                                                  "Комментарий"};
    return section >= 0 && section < CGridApf::kColumnCount ? QString::fromUtf8(kHeadings[section]) : QVariant();
  }

  void Reset(std::vector<model::AgentRow> newRows) {
    beginResetModel();
    rows = std::move(newRows);
    endResetModel();
  }
  void RowChanged(int row) { emit dataChanged(index(row, 0), index(row, CGridApf::kColumnCount - 1)); }
  void Append() {
    const int at = rowCount();
    beginInsertRows({}, at, at);
    rows.emplace_back();
    endInsertRows();
  }
  void Remove(int row) {
    beginRemoveRows({}, row, row);
    rows.erase(rows.begin() + row);
    endRemoveRows();
  }
};

class ApfDelegate : public QStyledItemDelegate {
 public:
  explicit ApfDelegate(CGridApf* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (index.column() == CGridApf::kValue) return QStyledItemDelegate::createEditor(parent, option, index);
    if (index.column() != CGridApf::kName) return nullptr;
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    // A typed name stays as typed; it is not added to the list.
    combo->setInsertPolicy(QComboBox::NoInsert);
    grid_->FillChoices(combo);
    grid_->NameEditorOpened(combo);
    return combo;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
      combo->setEditText(index.data(Qt::EditRole).toString());
      return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
      grid_->CommitEdit(index.row(), index.column(), combo->currentText());
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      grid_->CommitEdit(index.row(), index.column(), line->text());
    }
  }

 private:
  CGridApf* grid_;
};

CGridApf::CGridApf(ports::DialogPort* dialogs, QWidget* parent)
    : CDirectionGrid(dialogs, parent), model_(new ApfModel(this)) {
  setModel(model_);
  setItemDelegate(new ApfDelegate(this));
  InitHeader();
  // Parameters are addresses and dial strings: room for a whole one.
  setColumnWidth(kValue, 260);
}

void CGridApf::SetLinkText(const std::string& text) { model_->Reset(model::LinkTextToAgentRows(text)); }

std::string CGridApf::LinkText() const { return model::AgentRowsToLinkText(model_->rows); }

const std::vector<model::AgentRow>& CGridApf::Rows() const { return model_->rows; }

void CGridApf::SetAgentChoices(std::vector<std::string> names) {
  choices_ = std::move(names);
  if (nameEditor_ != nullptr) {
    // Refilling must not lose what the user has typed so far.
    const QString typed = nameEditor_->currentText();
    FillChoices(nameEditor_);
    nameEditor_->setEditText(typed);
  }
}

void CGridApf::FillChoices(QComboBox* editor) const {
  editor->clear();
  for (const auto& name : choices_) editor->addItem(FromCp(name));
}

void CGridApf::NameEditorOpened(QComboBox* editor) {
  nameEditor_ = editor;
  emit agentChoicesWanted();
}

bool CGridApf::CommitEdit(int row, int column, const QString& text) {
  if (row < 0 || row >= RowCount() || (column != kName && column != kValue)) return false;
  model::AgentRow& cells = model_->rows[static_cast<size_t>(row)];
  const std::string accepted = text::ToUpperAscii(text::Trim(ToCp(text)));
  // The text form could not carry them: the line would split or the name
  // would swallow part of the value.
  if (accepted.find_first_of("\r\n") != std::string::npos) return false;
  if (column == kName && accepted.find('=') != std::string::npos) return false;
  std::string& cell = column == kName ? cells.name : cells.value;
  if (cell != accepted) {
    cell = accepted;
    model_->RowChanged(row);
    emit changed();
  }
  return true;
}

std::string CGridApf::DeleteQuestion() const { return text::Cp("Удалить выделенные агенты передачи файлов?"); }

void CGridApf::AppendRow() { model_->Append(); }

void CGridApf::RemoveRows(const std::vector<int>& rows) {
  for (const int row : rows) model_->Remove(row);
}

}  // namespace ui
