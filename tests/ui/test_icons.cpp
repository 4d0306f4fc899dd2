// The drawn pictures: each code, task and toolbar command has its own,
// of the size its place needs, and none is blank.

#include <QIcon>
#include <QImage>
#include <QTest>

#include <map>
#include <string>

#include "core/MessageImage.h"
#include "ui/icons/Icons.h"

namespace {

bool Blank(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y).alpha() > 0) return false;
  return true;
}

// Every pair of pictures differs; the message names the first equal pair.
template <typename Key>
void VerifyDistinct(const std::map<Key, QImage>& images) {
  for (auto a = images.begin(); a != images.end(); ++a)
    for (auto b = std::next(a); b != images.end(); ++b)
      QVERIFY2(a->second != b->second, qPrintable(QStringLiteral("%1 and %2 look the same")
                                                      .arg(QVariant::fromValue(a->first).toString(),
                                                           QVariant::fromValue(b->first).toString())));
}

}  // namespace

class IconsTest : public QObject {
  Q_OBJECT

 private slots:
  void messageImages();
  void taskAndTreeIcons();
  void commandIcons();
};

void IconsTest::messageImages() {
  namespace img = core::image;
  std::map<int, QImage> images;
  for (int code : {img::kPlain, img::kOk, img::kConnect, img::kNetwork, img::kSockets, img::kFailed, img::kConfigLoaded,
                   img::kTime, img::kGroupAlarm, img::kCrashReporting, img::kLibraries, img::kFavorites,
                   img::kReplicationStarted, img::kReplication, img::kDisk, img::kFolder}) {
    const QPixmap pixmap = ui::MessageImage(code);
    QCOMPARE(pixmap.size(), QSize(16, 16));
    QVERIFY2(!Blank(pixmap.toImage()), qPrintable(QString::number(code)));
    images[code] = pixmap.toImage();
  }
  VerifyDistinct(images);
  // A code without a picture leaves its cell empty rather than borrowing one.
  QVERIFY(Blank(ui::MessageImage(99).toImage()));
  QCOMPARE(ui::MessageImage(99).size(), QSize(16, 16));
}

void IconsTest::taskAndTreeIcons() {
  std::map<QString, QImage> images;
  for (const char* task : {"ROUTER", "MQUEUE", "MSERVER", "TCPVELT", "ZMODEM", "ARCHIVER"})
    images[QString::fromLatin1(task)] = ui::TaskIcon(task).pixmap(16, 16).toImage();
  images["computer"] = ui::ComputerIcon().pixmap(16, 16).toImage();
  images["server"] = ui::ServerIcon().pixmap(16, 16).toImage();
  images["app"] = ui::AppIcon().pixmap(16, 16).toImage();
  images["alert"] = ui::AlertIcon().pixmap(16, 16).toImage();
  for (const auto& [name, image] : images) QVERIFY2(!Blank(image), qPrintable(name));
  VerifyDistinct(images);
  // Every other task shares the generic picture.
  QCOMPARE(ui::TaskIcon("ANOTHER").pixmap(16, 16).toImage(), images["ARCHIVER"]);
  QCOMPARE(ui::TaskIcon("").pixmap(16, 16).toImage(), images["ARCHIVER"]);
}

void IconsTest::commandIcons() {
  // The buttons of the main window's toolbars.
  const int commands[] = {59392, 32772, 32776, 32777, 32795, 32796, 32797, 32790, 32801, 32802,
                          32803, 32792, 32786, 32789, 32788, 32779, 32780, 32785, 32782, 32783,
                          32781, 57650, 57651, 57652, 57649, 32787, 32799, 103,   32839};
  std::map<int, QImage> images;
  for (int command : commands) {
    const QPixmap pixmap = ui::CommandPixmap(command);
    QCOMPARE(pixmap.size(), QSize(16, 15));
    QVERIFY2(!Blank(pixmap.toImage()), qPrintable(QString::number(command)));
    QVERIFY(!ui::CommandIcon(command).isNull());
    images[command] = pixmap.toImage();
  }
  VerifyDistinct(images);
  QVERIFY(ui::CommandIcon(57665).isNull());
}

QTEST_MAIN(IconsTest)
#include "test_icons.moc"
