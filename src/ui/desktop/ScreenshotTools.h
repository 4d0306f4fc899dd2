#pragma once
// What the screenshot run (Screenshots.h) takes its pictures with: the
// pictures written into the folder, and the catcher of boxes nobody waits for.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

class QPixmap;
class QWidget;

namespace ui::screenshots {

// Lets layouts, paints and queued answers settle.
void Settle(int ms = 150);

// Writes the pictures into the folder and says each one on standard output.
class Shooter {
 public:
  explicit Shooter(QString folder) : folder_(std::move(folder)) {}

  // A window sized to its contents first.
  void Take(QWidget* widget, const QString& name);
  // A window that is sized by the program: taken as it stands.
  void TakeAsIs(QWidget* widget, const QString& name);
  void Save(const QPixmap& picture, const QString& name);

  const QStringList& Written() const { return written_; }
  const QString& Folder() const { return folder_; }

 private:
  QString folder_;
  QStringList written_;
};

// Watches for modal windows that a step did not ask for (a node's error, a
// busy refusal, a question): each is pictured as "<step>-box" ("-box-2", ...
// for more in one step), told on standard error and answered with its
// cancel, so that the run never waits on one. Its timer also runs inside the
// window's own event loop.
class BoxCatcher : public QObject {
 public:
  explicit BoxCatcher(Shooter& shot);

  void BeginStep(const QString& step);

 private:
  void Look();

  Shooter& shot_;
  QTimer timer_;
  QPointer<QWidget> seen_;
  QString step_ = QStringLiteral("start");
  int boxes_ = 0;
};

}  // namespace ui::screenshots
