#pragma once
// Rich message bodies (paragraphs of coloured, bold or plain runs in one font)
// as the HTML that QLabel and QMessageBox show.

#include <QString>

#include "ports/DialogPort.h"

namespace ui {

// One block per paragraph, an empty paragraph keeps its blank line, tabs and
// runs of blanks are kept as typed.
QString RichTextToHtml(const ports::RichText& body);

}  // namespace ui
