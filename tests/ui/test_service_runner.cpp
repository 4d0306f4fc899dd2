// The worker that runs the services' sequences: order, the window thread's
// view of "idle", answers hopping to the window thread, and windows that
// close while their job runs.

#include <QPointer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <vector>

#include "ui/runtime/ServiceRunner.h"
#include "ui/runtime/UiThread.h"

class ServiceRunnerTest : public QObject {
  Q_OBJECT

 private slots:
  void jobsRunInOrderOnTheWorkerAndFinishOnTheWindowThread() {
    ui::ServiceRunner runner;
    std::vector<int> order;  // written by the worker, read after WaitIdle
    std::vector<bool> doneOnUi;
    QThread* const windowThread = QThread::currentThread();
    std::atomic<bool> jobOnWindowThread{false};
    for (int i = 0; i < 5; ++i)
      runner.Post(
          ui::ServiceRunner::Kind::Timer,
          [&, i] {
            if (QThread::currentThread() == windowThread) jobOnWindowThread = true;
            order.push_back(i);
          },
          [&] { doneOnUi.push_back(QThread::currentThread() == windowThread); });
    QVERIFY(!runner.Idle());
    runner.WaitIdle();
    QVERIFY(runner.Idle());
    QCOMPARE(order, (std::vector<int>{0, 1, 2, 3, 4}));
    QCOMPARE(doneOnUi, std::vector<bool>(5, true));
    QVERIFY(!jobOnWindowThread);
  }

  void theRunnerIsBusyUntilTheLastAnswerHasArrived() {
    ui::ServiceRunner runner;
    std::vector<bool> idleInDone;
    runner.Post(ui::ServiceRunner::Kind::User, [] {}, [&] { idleInDone.push_back(runner.Idle()); });
    runner.Post(ui::ServiceRunner::Kind::Timer, [] {}, [&] { idleInDone.push_back(runner.Idle()); });
    QVERIFY(runner.HasUserJob());
    QCOMPARE(runner.Current(), ui::ServiceRunner::Kind::User);
    runner.WaitIdle();
    // The first answer comes while the second job may still be running.
    QCOMPARE(idleInDone, (std::vector<bool>{false, true}));
    QVERIFY(!runner.HasUserJob());
    QCOMPARE(runner.Current(), ui::ServiceRunner::Kind::None);
  }

  void aJobAsksTheWindowThreadAndGetsItsAnswer() {
    ui::ServiceRunner runner;
    int answer = 0;
    bool askedOnWindowThread = false;
    runner.Post(ui::ServiceRunner::Kind::User, [&] {
      answer = ui::CallOnUiThread<int>([&] {
        askedOnWindowThread = ui::OnUiThread();
        return 42;
      });
    });
    runner.WaitIdle();
    QCOMPARE(answer, 42);
    QVERIFY(askedOnWindowThread);
  }

  void theAnswerForAClosedWindowIsDropped() {
    ui::ServiceRunner runner;
    auto* window = new QWidget;
    bool answered = false;
    std::atomic<bool> release{false};
    runner.Post(ui::ServiceRunner::Kind::User, [&] {
      while (!release) QThread::msleep(1);
    }, [&] { answered = true; }, window);
    delete window;  // closed while its job runs
    release = true;
    runner.WaitIdle();
    QVERIFY(!answered);
  }

  void theWindowThreadKeepsDrawingWhileAJobWaits() {
    ui::ServiceRunner runner;
    std::atomic<bool> release{false};
    runner.Post(ui::ServiceRunner::Kind::User, [&] {
      while (!release) QThread::msleep(1);
    });
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
      if (++ticks == 20) release = true;
    });
    timer.start(1);
    runner.WaitIdle();
    QVERIFY(ticks >= 20);
  }
};

QTEST_MAIN(ServiceRunnerTest)
#include "test_service_runner.moc"
