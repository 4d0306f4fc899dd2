#include "ui/text/RichHtml.h"

#include "ui/text/QtText.h"

namespace ui {

namespace {

QString ColourName(uint32_t rgb) { return QStringLiteral("#%1").arg(rgb & 0xFFFFFFu, 6, 16, QLatin1Char('0')); }

// Qt's rich text has no tab stops: a tab becomes four fixed blanks.
QString RunHtml(const ports::RichRun& run) {
  QString text = FromCp(run.text).toHtmlEscaped();
  text.replace(QLatin1Char('\t'), QStringLiteral("    "));
  QString style = QStringLiteral("color:%1;").arg(ColourName(run.rgb));
  style += run.bold ? QStringLiteral("font-weight:bold;") : QStringLiteral("font-weight:normal;");
  return QStringLiteral("<span style=\"%1\">%2</span>").arg(style, text);
}

}  // namespace

QString RichTextToHtml(const ports::RichText& body) {
  QString html = QStringLiteral("<div style=\"font-family:'%1'; font-size:%2pt;\">")
                     .arg(FromCp(body.font).toHtmlEscaped())
                     .arg(body.points);
  for (const auto& paragraph : body.paragraphs) {
    html += QStringLiteral("<p style=\"margin:0; white-space:pre-wrap;\">");
    bool empty = true;
    for (const auto& run : paragraph) {
      if (run.text.empty()) continue;
      html += RunHtml(run);
      empty = false;
    }
    // An empty block would collapse; the blank line is part of the layout.
    if (empty) html += QStringLiteral("&nbsp;");
    html += QStringLiteral("</p>");
  }
  html += QStringLiteral("</div>");
  return html;
}

}  // namespace ui
