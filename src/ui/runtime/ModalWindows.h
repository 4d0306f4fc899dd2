#pragma once
// Answering the modal windows that are open when nobody is there to answer
// them: a stop signal arrives while a box waits, or an unattended run meets a
// box it did not expect. Each window gets the answer its cancel would give,
// unseen, so the code that waits on it goes on.

class QAbstractButton;
class QMessageBox;
class QWidget;

namespace ui {

// The button that answers a box as its cancel would: its escape button, its
// only button, or a button that rejects (Abort of Abort/Retry/Ignore, which
// cannot be escaped). None: closing the box is its cancel.
QAbstractButton* CancelButton(const QMessageBox& box);

// Gives `window` its cancel answer: a message box its cancel button (or its
// close), any other dialog its reject(), any other window a close. A window
// that refuses still goes: hiding it ends its event loop.
void CancelModalWindow(QWidget* window);

// Cancels every open modal window, innermost first; the number cancelled.
// Window thread only.
int CancelModalWindows();

}  // namespace ui
