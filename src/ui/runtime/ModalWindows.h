#pragma once
// Answering the modal windows that are open when nobody is there to answer
// them: a stop signal arrives while a box waits, or an unattended run meets a
// box it did not expect. Each window gets the answer its cancel would give,
// unseen, so the code that waits on it goes on.

class QWidget;

namespace ui {

// Gives `window` its cancel answer: a message box its escape button (Abort
// where Abort, Retry and Ignore are all it has, else the button its close
// would choose), any other dialog its reject(), any other window a close.
void CancelModalWindow(QWidget* window);

// Cancels every open modal window, innermost first; the number cancelled.
// Window thread only.
int CancelModalWindows();

}  // namespace ui
