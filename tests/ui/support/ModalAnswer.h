#pragma once
// Answers the next modal window of a test: polls on the window thread until
// QApplication::activeModalWidget() is up and is the active window, notes
// what the window showed, then clicks one of its buttons, closes it or runs
// an action of the test's own.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class QWidget;

namespace testsupport {

struct ModalSeen {
  QString className;
  QString title;
  QString text;               // QMessageBox only
  int icon = -1;              // QMessageBox::Icon, QMessageBox only
  QStringList buttons;        // texts without '&', in no particular order
  QString defaultButton;      // without '&'
  bool staysOnTop = false;
  Qt::WindowModality modality = Qt::NonModal;
};

class ModalAnswer : public QObject {
 public:
  using Action = std::function<void(QWidget*)>;

  explicit ModalAnswer(Action action);

  // Clicks the button whose text, without '&', is `text`.
  static std::unique_ptr<ModalAnswer> Click(const QString& text);
  // Closes the window as its title bar's close button would.
  static std::unique_ptr<ModalAnswer> Close();
  // Presses Escape in the window.
  static std::unique_ptr<ModalAnswer> Escape();

  bool Answered() const { return answered_; }
  const ModalSeen& Seen() const { return seen_; }

 private:
  void Poll();

  Action action_;
  QTimer timer_;
  ModalSeen seen_;
  bool answered_ = false;
};

// Answers the modal windows that come one after the other, each with the
// next button text of the list, and notes "title: text" of each (the text of
// message boxes only). Windows beyond the list are left alone.
class ModalScript : public QObject {
 public:
  explicit ModalScript(QStringList buttons);
  bool Done() const { return next_ >= buttons_.size(); }
  const QStringList& Seen() const { return seen_; }

 private:
  void Poll();

  QStringList buttons_;
  qsizetype next_ = 0;
  QStringList seen_;
  QTimer timer_;
  QPointer<QWidget> last_;
};

// Closes a modal window that no answer of the test has taken for a long
// while, and says which one it was: a box nobody expected then fails its test
// instead of holding the whole test program until it is killed.
class UnansweredModalGuard : public QObject {
 public:
  UnansweredModalGuard();

 private:
  void Poll();

  QTimer timer_;
  QPointer<QWidget> window_;
  int polls_ = 0;
};

// The button texts of a widget without '&'.
QString PlainButtonText(const QString& text);

}  // namespace testsupport
