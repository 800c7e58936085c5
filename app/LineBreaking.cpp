#include "app/LineBreaking.h"

namespace {

// The next blank, or the next run of non-blank characters, starting at from.
QString NextToken(const QString& text, qsizetype from) {
  if (text.at(from) == QLatin1Char(' ')) return QStringLiteral(" ");
  qsizetype end = from;
  while (end < text.size() && text.at(end) != QLatin1Char(' ')) ++end;
  return text.mid(from, end - from);
}

}  // namespace

QStringList BreakIntoLines(const QString& text, int maxWidth,
                           const std::function<int(const QString&)>& width) {
  QStringList lines;
  QString line;
  for (qsizetype at = 0; at < text.size();) {
    const QString token = NextToken(text, at);
    at += token.size();
    const QString extended = line + token;
    if (line.isEmpty() || width(extended) <= maxWidth) {
      line = extended;
    } else {
      lines.append(line);
      line = token;
    }
  }
  if (!line.isEmpty()) lines.append(line);
  return lines;
}
