#include "ui/dialogs/CDlgVaEditSingle.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "ui/dialogs/OkCancelButtons.h"
#include "model/schedule/ScheduleRowEdit.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

constexpr const char* kTimeFormat = "HH:mm:ss";

QComboBox* ChoiceBox(const std::vector<std::string>& choices, QWidget* parent) {
  auto* box = new QComboBox(parent);
  for (const std::string& choice : choices) box->addItem(FromCp(choice));
  return box;
}

QTimeEdit* TimeEdit(QWidget* parent) {
  auto* edit = new QTimeEdit(parent);
  edit->setDisplayFormat(QString::fromLatin1(kTimeFormat));
  return edit;
}

// The cell's text in the box; no choice when the box does not hold it.
void Choose(QComboBox* box, const std::string& cell) { box->setCurrentIndex(box->findText(FromCp(cell))); }

// The cell's time in the editor, 00:00:00 for what a QTime cannot hold.
void ShowTime(QTimeEdit* edit, const std::string& cell) {
  QTime time = QTime::fromString(FromCp(cell), QString::fromLatin1(kTimeFormat));
  if (!time.isValid()) time = QTime(0, 0, 0);
  edit->setTime(time);
  edit->setProperty("shownTime", time);
}

std::string BoxText(const QComboBox* box) { return box->currentIndex() < 0 ? std::string() : ToCp(box->currentText()); }

}  // namespace

CDlgVaEditSingle::CDlgVaEditSingle(QWidget* parent)
    : QDialog(parent),
      type_(ChoiceBox(model::RowTypeChoices(), this)),
      startDay_(ChoiceBox(model::RowWeekdayChoices(), this)),
      startTime_(TimeEdit(this)),
      endDay_(ChoiceBox(model::RowWeekdayChoices(), this)),
      endTime_(TimeEdit(this)),
      mode_(ChoiceBox(model::RowModeChoices(), this)),
      interval_(TimeEdit(this)) {
  setWindowTitle(QStringLiteral("Time domain"));
  const auto headings = model::ScheduleRowHeadings();
  auto* form = new QFormLayout;
  const std::pair<size_t, QWidget*> fields[] = {
      {model::rowcol::kType, type_},       {model::rowcol::kStartWeekday, startDay_},
      {model::rowcol::kStartTime, startTime_}, {model::rowcol::kEndWeekday, endDay_},
      {model::rowcol::kEndTime, endTime_}, {model::rowcol::kMode, mode_},
      {model::rowcol::kInterval, interval_}};
  for (const auto& [column, field] : fields) form->addRow(FromCp(headings[column]), field);

  const OkCancel buttons = AddOkCancelButtons(this);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons.box);

  connect(type_, &QComboBox::currentIndexChanged, this, [this] {
    // A weekly frame needs both days; Monday is where the lists start.
    if (BoxText(type_) == model::WeeklyTypeText()) {
      if (startDay_->currentIndex() < 0) startDay_->setCurrentIndex(0);
      if (endDay_->currentIndex() < 0) endDay_->setCurrentIndex(0);
    }
    UpdateEnabled();
  });
  connect(mode_, &QComboBox::currentIndexChanged, this, &CDlgVaEditSingle::UpdateEnabled);
  SetFrame(model::RowToFrame(model::NewScheduleRow()));
}

void CDlgVaEditSingle::SetFrame(const model::CTempModeFrame& frame) {
  row_ = model::FrameToRow(frame);
  const QSignalBlocker blockType(type_);
  const QSignalBlocker blockMode(mode_);
  Choose(type_, row_.type);
  Choose(startDay_, row_.startWeekday);
  Choose(endDay_, row_.endWeekday);
  Choose(mode_, row_.mode);
  ShowTime(startTime_, row_.startTime);
  ShowTime(endTime_, row_.endTime);
  ShowTime(interval_, row_.interval);
  UpdateEnabled();
}

std::string CDlgVaEditSingle::TimeCell(const QTimeEdit* edit, const std::string& cell) const {
  if (edit->time() == edit->property("shownTime").toTime()) return cell;
  return ToCp(edit->time().toString(QString::fromLatin1(kTimeFormat)));
}

model::CTempModeFrame CDlgVaEditSingle::Frame() const {
  // The row keeps its source frame, so unchanged cells give it back as it was.
  model::ScheduleRow row = row_;
  model::ApplyRowEdit(row, model::rowcol::kType, BoxText(type_));
  if (row.type != model::DailyTypeText()) {
    model::ApplyRowEdit(row, model::rowcol::kStartWeekday, BoxText(startDay_));
    model::ApplyRowEdit(row, model::rowcol::kEndWeekday, BoxText(endDay_));
  }
  model::ApplyRowEdit(row, model::rowcol::kStartTime, TimeCell(startTime_, row_.startTime));
  model::ApplyRowEdit(row, model::rowcol::kEndTime, TimeCell(endTime_, row_.endTime));
  model::ApplyRowEdit(row, model::rowcol::kMode, BoxText(mode_));
  model::ApplyRowEdit(row, model::rowcol::kInterval, TimeCell(interval_, row_.interval));
  return model::RowToFrame(row);
}

void CDlgVaEditSingle::UpdateEnabled() {
  const bool weekly = BoxText(type_) == model::WeeklyTypeText();
  startDay_->setEnabled(weekly);
  endDay_->setEnabled(weekly);
  interval_->setEnabled(model::IsIntervalModeText(BoxText(mode_)));
}

}  // namespace ui
