// The installation grid: its columns, the rows it is given with the diskette
// count in four places on the right, the selection and the description shown
// for the selected set.

#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "text/Cp1251.h"
#include "ui/abonent/CGridInst.h"

using ui::CGridInst;

namespace {

std::vector<model::InstallationRow> SampleRows() {
  return {
      {"VTCLIENT", 2, text::Cp("Клиент, версия 3.2\r\nДве дискеты.\r\n")},
      {"NEWCLIENT", 0, ""},
      {text::Cp("КОМПЛЕКТ"), 12345, "x"},
  };
}

}  // namespace

class InstallationsGridTest : public QObject {
  Q_OBJECT

 private slots:
  void columnsAndRows() {
    CGridInst grid;
    grid.SetRows(SampleRows());
    QTreeWidget* tree = grid.Grid();
    QCOMPARE(tree->headerItem()->text(CGridInst::kNameColumn), QString::fromUtf8("Инсталляция на сервере"));
    QCOMPARE(tree->headerItem()->text(CGridInst::kDiskettesColumn), QString::fromUtf8("Дискеты"));
    QCOMPARE(tree->topLevelItemCount(), 3);
    const struct {
      const char* name;
      const char* count;
    } expected[] = {{"VTCLIENT", "   2"}, {"NEWCLIENT", "   0"}, {"КОМПЛЕКТ", "12345"}};
    for (int i = 0; i < 3; ++i) {
      QTreeWidgetItem* item = tree->topLevelItem(i);
      QCOMPARE(item->text(CGridInst::kNameColumn), QString::fromUtf8(expected[i].name));
      QCOMPARE(item->text(CGridInst::kDiskettesColumn), QString::fromUtf8(expected[i].count));
      QVERIFY(item->textAlignment(CGridInst::kDiskettesColumn) & Qt::AlignRight);
    }
  }

  void selectionShowsItsDescription() {
    CGridInst grid;
    grid.SetRows(SampleRows());
    QSignalSpy spy(&grid, &CGridInst::selectionChanged);
    QCOMPARE(grid.SelectedRow(), -1);
    QVERIFY(grid.Description()->text().isEmpty());

    grid.SelectRow(0);
    QCOMPARE(grid.SelectedRow(), 0);
    QCOMPARE(grid.Description()->text(), QString::fromUtf8("Клиент, версия 3.2\nДве дискеты."));
    QCOMPARE(grid.Grid()->topLevelItem(0)->toolTip(CGridInst::kNameColumn), grid.Description()->text());
    QCOMPARE(spy.last().at(0).toInt(), 0);

    // A click picks a row as the administrator would.
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QTreeWidget* tree = grid.Grid();
    const QRect cell = tree->visualItemRect(tree->topLevelItem(1));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(grid.SelectedRow(), 1);
    QVERIFY(grid.Description()->text().isEmpty());
    QCOMPARE(spy.last().at(0).toInt(), 1);
  }

  void newRowsDropTheSelection() {
    CGridInst grid;
    grid.SetRows(SampleRows());
    grid.SelectRow(2);
    QSignalSpy spy(&grid, &CGridInst::selectionChanged);
    grid.SetRows({{"ONLY", 1, "only set"}});
    QCOMPARE(grid.SelectedRow(), -1);
    QVERIFY(grid.Description()->text().isEmpty());
    QCOMPARE(grid.Rows().size(), size_t{1});
    QCOMPARE(spy.last().at(0).toInt(), -1);
    grid.SetRows({});
    QCOMPARE(grid.Grid()->topLevelItemCount(), 0);
    QCOMPARE(grid.SelectedRow(), -1);
  }
};

QTEST_MAIN(InstallationsGridTest)
#include "test_installations_grid.moc"
