#include "ui/ports/FileFilter.h"

#include <QRegularExpression>

#include "ui/text/QtText.h"

namespace ui {

namespace {

QString QtPatterns(const QString& patterns) {
  QStringList out;
  for (QString pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    pattern = pattern.trimmed();
    if (pattern.isEmpty()) continue;
    out << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
  }
  return out.isEmpty() ? QStringLiteral("*") : out.join(QLatin1Char(' '));
}

QString PlainDescription(QString description) {
  static const QRegularExpression tail(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
  description.remove(tail);
  return description.trimmed();
}

}  // namespace

QStringList FileNameFilters(std::string_view cp1251Filter) {
  const QStringList parts = FromCp(cp1251Filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString description = PlainDescription(parts[i]);
    const QString patterns = i + 1 < parts.size() ? parts[i + 1] : QString();
    // The closing "||" leaves empty pairs behind.
    if (description.isEmpty() && patterns.trimmed().isEmpty()) continue;
    const QString qtPatterns = QtPatterns(patterns);
    filters << (description.isEmpty() ? qtPatterns : QStringLiteral("%1 (%2)").arg(description, qtPatterns));
  }
  return filters;
}

}  // namespace ui
