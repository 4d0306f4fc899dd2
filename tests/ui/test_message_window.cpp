// The pop-up message window and the tray icon, driven by a message list and
// a clock the test moves: lifetime, click, fade, placement, size, drawing,
// and the tray's tip and blink.

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

#include <memory>
#include <thread>

#include "core/MessageImage.h"
#include "core/MessageLog.h"
#include "core/poll/CPopupWindowState.h"
#include "text/Cp1251.h"
#include "ui/icons/Icons.h"
#include "ui/popup/CMessageWindow.h"
#include "ui/popup/CTrayIcon.h"

namespace {

const QString kTip = QString::fromUtf8("Конфигурация Veltrane32");
const QString kAlertTip = QString::fromUtf8("Конфигурация Veltrane32 (см. окно сообщений)");

// The list, its pop-up state, the window and the tray, wired as the program
// wires them: every change of the list refreshes both.
struct Popup {
  core::MessageLog log;
  core::CPopupWindowState state{log};
  int64_t now = 100000;
  ui::CMessageWindow window{log, state};
  ui::CTrayIcon tray{state};

  Popup() {
    window.SetClock([this] { return now; });
    tray.SetClock([this] { return now; });
    QObject::connect(&window, &ui::CMessageWindow::HiddenByItself, &tray, &ui::CTrayIcon::Refresh);
  }
  void Add(const char* utf8, uint32_t lifetimeMs, int code = core::image::kFailed) {
    log.Add(text::Cp(utf8), lifetimeMs, code);
    Refresh();
  }
  void Refresh() {
    window.Refresh();
    tray.Refresh();
  }
  void After(int64_t ms) {
    now += ms;
    window.Tick();
  }
};

QRect ScreenArea() { return QGuiApplication::primaryScreen()->geometry(); }

}  // namespace

class MessageWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void lifetime_data();
  void lifetime();
  void clickHides();
  void fade_data();
  void fade();
  void showDuringFadeKeepsTheWindow();
  void placedAtTopRightWithoutFocus();
  void sizedToItsLines();
  void drawsTheImageOfEachLine();
  void refreshFromAnotherThreadHops();
  void trayTipAndBlink();
  void trayActivation_data();
  void trayActivation();
};

void MessageWindowTest::lifetime_data() {
  QTest::addColumn<int>("lifetimeMs");
  QTest::addColumn<int>("afterMs");
  QTest::addColumn<bool>("visible");
  QTest::newRow("5 s, just before") << 5000 << 4999 << true;
  QTest::newRow("5 s, at the end") << 5000 << 5000 << false;
  QTest::newRow("0 keeps it, an hour on") << 0 << 3600 * 1000 << true;
}

void MessageWindowTest::lifetime() {
  QFETCH(int, lifetimeMs);
  QFETCH(int, afterMs);
  QFETCH(bool, visible);
  Popup popup;
  popup.Add("Не удается установить канал связи!", lifetimeMs);
  QVERIFY(popup.window.isVisible());
  // Timer 765 runs only for a lifetime.
  QCOMPARE(popup.window.HideTimerMs(), lifetimeMs ? lifetimeMs : -1);
  popup.After(afterMs);
  QCOMPARE(popup.window.isVisible(), visible);
  QCOMPARE(popup.log.Popup().visible, visible);
}

void MessageWindowTest::clickHides() {
  Popup popup;
  popup.Add("first", 0);
  QSignalSpy hidden(&popup.window, &ui::CMessageWindow::HiddenByItself);
  QTest::mouseClick(&popup.window, Qt::LeftButton, {}, QPoint(5, 5));
  QVERIFY(!popup.window.isVisible());
  QVERIFY(!popup.log.Popup().visible);
  QCOMPARE(hidden.count(), 1);
  // The next message shows it again.
  popup.Add("second", 0);
  QVERIFY(popup.window.isVisible());
}

void MessageWindowTest::fade_data() {
  QTest::addColumn<bool>("effects");
  QTest::addColumn<QString>("hide");  // "click", "lifetime" or "list"
  QTest::addColumn<bool>("fades");
  QTest::newRow("effects off, click") << false << "click" << false;
  QTest::newRow("effects off, lifetime") << false << "lifetime" << false;
  QTest::newRow("effects on, click") << true << "click" << true;
  QTest::newRow("effects on, lifetime") << true << "lifetime" << true;
  // Hidden by the program (end of start-up): gone at once.
  QTest::newRow("effects on, hidden by the list") << true << "list" << false;
}

void MessageWindowTest::fade() {
  QFETCH(bool, effects);
  QFETCH(QString, hide);
  QFETCH(bool, fades);
  Popup popup;
  popup.window.SetFadeEffects(effects);
  popup.Add("message", 2000);
  if (hide == "click") {
    popup.window.ClickHide();
  } else if (hide == "lifetime") {
    popup.After(2000);
  } else {
    popup.log.Hide();
    popup.Refresh();
  }
  QVERIFY(!popup.log.Popup().visible);
  QCOMPARE(popup.window.Fading(), fades);
  QCOMPARE(popup.window.isVisible(), fades);
  if (fades) {
    QTRY_VERIFY_WITH_TIMEOUT(!popup.window.isVisible(), 10000);
    QVERIFY(!popup.window.Fading());
  }
  QCOMPARE(popup.window.windowOpacity(), 1.0);
}

void MessageWindowTest::showDuringFadeKeepsTheWindow() {
  Popup popup;
  popup.window.SetFadeEffects(true);
  popup.Add("first", 0);
  popup.window.ClickHide();
  QVERIFY(popup.window.Fading());
  popup.Add("second", 0);
  QVERIFY(!popup.window.Fading());
  QCOMPARE(popup.window.windowOpacity(), 1.0);
  // Long after the fade would have ended, the window is still there.
  QTest::qWait(ui::CMessageWindow::kFadeMs * 2);
  QVERIFY(popup.window.isVisible());
}

void MessageWindowTest::placedAtTopRightWithoutFocus() {
  Popup popup;
  popup.Add("one line", 0);
  const QRect area = ScreenArea();
  QCOMPARE(popup.window.geometry().right(), area.right() - 30);
  QCOMPARE(popup.window.geometry().top(), area.top() + 30);

  const Qt::WindowFlags flags = popup.window.windowFlags();
  QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
  QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
  QVERIFY(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
  QVERIFY(popup.window.testAttribute(Qt::WA_ShowWithoutActivating));
  QVERIFY(QApplication::activeWindow() != &popup.window);

  // Wider text grows the window to the left: the right edge stays.
  const int width = popup.window.width();
  popup.Add("a much longer line that is wider than the forty-five columns of the padding", 0);
  QVERIFY(popup.window.width() > width);
  QCOMPARE(popup.window.geometry().right(), area.right() - 30);
  QCOMPARE(popup.window.geometry().top(), area.top() + 30);
}

void MessageWindowTest::sizedToItsLines() {
  Popup popup;
  popup.Add("short", 0);
  const QSize one = popup.window.size();
  QCOMPARE(one.height(), 2 * ui::CMessageWindow::kMargin + ui::CMessageWindow::kRowHeight);

  // Three lines (cut at line feeds), all within the padding: taller, as wide.
  popup.Add("Старт ...\n  12:00:00\n  вторник", 0);
  QCOMPARE(popup.window.height(), 2 * ui::CMessageWindow::kMargin + 4 * ui::CMessageWindow::kRowHeight);
  QCOMPARE(popup.window.width(), one.width());

  // Ten characters past the padding: ten columns wider.
  popup.Add(std::string(55, 'x').c_str(), 0);
  const QFontMetrics metrics(popup.window.font());
  QCOMPARE(popup.window.width(), one.width() + metrics.horizontalAdvance(QString(55, 'x')) -
                                     metrics.horizontalAdvance(QStringLiteral("short").leftJustified(45)));
}

void MessageWindowTest::drawsTheImageOfEachLine() {
  Popup popup;
  popup.Add("Соединение с: \"A\"\nПользователь: \"B\"", 0, core::image::kConnect);
  popup.Add("Ошибка", 0, core::image::kFailed);
  const QImage shot = popup.window.Render();
  const int codes[] = {core::image::kConnect, core::image::kOk, core::image::kFailed};
  // The bottom margin shows the window's background.
  const QColor background = shot.pixelColor(ui::CMessageWindow::kMargin, shot.height() - 2);
  for (int row = 0; row < 3; ++row) {
    const QPixmap icon = ui::MessageImage(codes[row]);
    QImage expected(icon.size(), QImage::Format_ARGB32_Premultiplied);
    expected.fill(background);
    QPainter(&expected).drawPixmap(0, 0, icon);
    const QPoint origin(ui::CMessageWindow::kMargin,
                        ui::CMessageWindow::kMargin + row * ui::CMessageWindow::kRowHeight +
                            (ui::CMessageWindow::kRowHeight - ui::CMessageWindow::kImageSize) / 2);
    const QImage drawn = shot.copy(QRect(origin, icon.size())).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY2(drawn == expected, qPrintable(QStringLiteral("row %1").arg(row)));
    QImage blank(expected.size(), expected.format());
    blank.fill(background);
    QVERIFY2(drawn != blank, "the line image draws something");
  }
}

void MessageWindowTest::refreshFromAnotherThreadHops() {
  Popup popup;
  popup.log.Add("from the worker", 0, core::image::kOk);
  std::thread worker([&] { popup.window.Refresh(); });
  worker.join();
  QTRY_VERIFY_WITH_TIMEOUT(popup.window.isVisible(), 10000);
}

void MessageWindowTest::trayTipAndBlink() {
  Popup popup;
  popup.tray.Show();  // no tray offscreen: nothing to see, nothing breaks
  QVERIFY(popup.tray.Shown());
  QCOMPARE(popup.tray.Tip(), kTip);
  QVERIFY(!popup.tray.AlertPhase());

  // Pop-ups disabled: the message only makes the tray blink.
  popup.log.SetPopupDisabled(true);
  popup.Add("Права доступа:\n  Отказано в доступе.", 0);
  QVERIFY(!popup.window.isVisible());
  QCOMPARE(popup.tray.Tip(), kAlertTip);
  QCOMPARE(popup.tray.TrayIcon()->toolTip(), kAlertTip);
  QVERIFY(popup.tray.BlinkTimerActive());
  QList<bool> phases;
  for (int i = 0; i < 4; ++i) {
    phases << popup.tray.AlertPhase();
    popup.now += 500;
    popup.tray.Tick();
  }
  QCOMPARE(phases, (QList<bool>{true, false, true, false}));

  // The window shown from the menu, then clicked: the tray settles.
  popup.log.Show(0);
  popup.Refresh();
  QVERIFY(popup.window.isVisible());
  QTest::mouseClick(&popup.window, Qt::LeftButton, {}, QPoint(5, 5));
  QCOMPARE(popup.tray.Tip(), kTip);
  QVERIFY(!popup.tray.AlertPhase());
  QVERIFY(!popup.tray.BlinkTimerActive());
  popup.tray.Hide();
  QVERIFY(!popup.tray.Shown());
}

void MessageWindowTest::trayActivation_data() {
  QTest::addColumn<int>("reason");
  QTest::addColumn<int>("emitted");
  QTest::newRow("click") << int(QSystemTrayIcon::Trigger) << 1;
  QTest::newRow("double click") << int(QSystemTrayIcon::DoubleClick) << 1;
  QTest::newRow("context menu") << int(QSystemTrayIcon::Context) << 0;
}

void MessageWindowTest::trayActivation() {
  QFETCH(int, reason);
  QFETCH(int, emitted);
  Popup popup;
  QSignalSpy activated(&popup.tray, &ui::CTrayIcon::Activated);
  emit popup.tray.TrayIcon()->activated(static_cast<QSystemTrayIcon::ActivationReason>(reason));
  QCOMPARE(activated.count(), emitted);
}

QTEST_MAIN(MessageWindowTest)
#include "test_message_window.moc"
