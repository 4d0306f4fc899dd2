#pragma once
// The grid of a computer's watched disks: one row per disk in the order the
// poll found them, the usage bar in the name column, alarm rows highlighted.
// The column layout is kept in the user profile per mail server and computer.

#include <QStyledItemDelegate>
#include <QTableWidget>

#include <string>
#include <vector>

#include "core/net/ScannedRecords.h"

class QSettings;

namespace ui {

// Rows are selected whole: the current cell gets no frame of its own (the
// grids make the first alarm row current, which would frame its icon only).
class NoFocusFrameDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Paints the name column: the disk's name, then a bar of the used share
// with the used and free texts over it.
class DiskUsageDelegate : public NoFocusFrameDelegate {
  Q_OBJECT

 public:
  using NoFocusFrameDelegate::NoFocusFrameDelegate;
  static constexpr int kUsedShareRole = Qt::UserRole + 20;  // double 0..1
  static constexpr int kUsedTextRole = Qt::UserRole + 21;
  static constexpr int kFreeTextRole = Qt::UserRole + 22;
  static constexpr int kAlarmRole = Qt::UserRole + 23;

  static constexpr int kTextGap = 16;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The highlight of a row with an alarm.
QColor AlarmRowColor();

class CCnGridDisks : public QTableWidget {
  Q_OBJECT

 public:
  explicit CCnGridDisks(QWidget* parent = nullptr);

  // All rows again; surplus rows of an earlier fill go.
  void Show(const std::vector<core::CSI_disk>& disks);
  bool RowAlarm(int row) const;

  static QString LayoutKey(const std::string& mailServer, const std::string& computer);
  void RestoreLayout(QSettings& profile, const std::string& mailServer, const std::string& computer);
  void SaveLayout(QSettings& profile, const std::string& mailServer, const std::string& computer) const;
};

}  // namespace ui
