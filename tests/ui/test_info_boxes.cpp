// The information boxes: their titles and texts, and the operating system
// description made of os-release and uname.

#include <QMessageBox>
#include <QTest>

#include "text/Cp1251.h"
#include "ui/dialogs/InfoBoxes.h"

class InfoBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void osDescription_data();
  void osDescription();
  void osInformationBox();
  void computerIdentificationBox();
  void aboutBoxNamesTheVersion();
};

void InfoBoxesTest::osDescription_data() {
  QTest::addColumn<QString>("osRelease");
  QTest::addColumn<QString>("kernel");
  QTest::addColumn<QString>("description");
  const QString kernel = "Linux 6.1.0-9-amd64 #1 SMP x86_64";
  QTest::newRow("double quotes") << "NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nID=debian\n"
                                 << kernel << "Debian GNU/Linux 12 (bookworm)\n" + kernel;
  QTest::newRow("single quotes") << "PRETTY_NAME='Alt Linux'\n" << kernel << "Alt Linux\n" + kernel;
  QTest::newRow("no quotes") << "PRETTY_NAME=Gentoo\n" << kernel << "Gentoo\n" + kernel;
  QTest::newRow("no pretty name") << "NAME=Something\n" << kernel << kernel;
  QTest::newRow("no os-release") << "" << kernel << kernel;
  QTest::newRow("no kernel") << "PRETTY_NAME=\"X\"" << "" << "X";
}

void InfoBoxesTest::osDescription() {
  QFETCH(QString, osRelease);
  QFETCH(QString, kernel);
  QFETCH(QString, description);
  const QByteArray bytes = osRelease.toUtf8();
  QCOMPARE(ui::OsDescription(std::string_view(bytes.constData(), size_t(bytes.size())), kernel), description);
}

void InfoBoxesTest::osInformationBox() {
  const auto box = ui::BuildOsInformationBox(nullptr);
  QCOMPARE(box->windowTitle(), QString::fromUtf8("О системе ..."));
  QCOMPARE(box->textFormat(), Qt::RichText);
  QVERIFY(box->text().contains(QString::fromUtf8("Сведения об операционной системе:")));
  // This machine's own description: the kernel's name at least.
  QVERIFY(!ui::OsDescription().isEmpty());
  QVERIFY(box->text().contains(ui::OsDescription().section('\n', -1).toHtmlEscaped()));
}

void InfoBoxesTest::computerIdentificationBox() {
  const auto box = ui::BuildComputerIdentificationBox(nullptr, text::Cp("ПК-12;10.0.0.5"));
  QCOMPARE(box->windowTitle(), QStringLiteral("Veltrane32 REMOTE CONSOLE"));
  QCOMPARE(box->text(), QString::fromUtf8("Идентификация этого компьютера\nв сети:\nПК-12;10.0.0.5"));
}

void InfoBoxesTest::aboutBoxNamesTheVersion() {
  const auto box = ui::BuildAboutBox(nullptr);
  QVERIFY(box->text().contains(QStringLiteral(VT_VERSION_TEXT)));
}

QTEST_MAIN(InfoBoxesTest)
#include "test_info_boxes.moc"
