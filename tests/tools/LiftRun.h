#pragma once

// Runs the built torlin-lift (or a shell line around it) and splits its CSV output.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

struct ToolRun {
  bool finished = false;  // false if it crashed or hung
  int exitCode = -1;
  QString out;
  QString err;
};

// How long a run may take before it counts as hung: a sanitized build runs several
// times slower (the target search alone takes minutes there on a busy machine).
#ifdef __SANITIZE_ADDRESS__
inline constexpr int kToolRunLimitMs = 540000;  // within ctest's 600 s
#else
inline constexpr int kToolRunLimitMs = 120000;
#endif

// Runs program with arguments; extra holds NAME=value pairs added to the environment.
inline ToolRun RunProgram(const QString& program, const QStringList& arguments,
                          const QStringList& extra = {}) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const QString& pair : extra) {
    environment.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
  }
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  ToolRun run;
  if (!process.waitForFinished(kToolRunLimitMs) || process.exitStatus() != QProcess::NormalExit) return run;
  run.finished = true;
  run.exitCode = process.exitCode();
  run.out = QString::fromUtf8(process.readAllStandardOutput());
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

inline ToolRun RunLift(const QStringList& arguments, const QStringList& extra = {}) {
  return RunProgram(QStringLiteral(TORLIN_LIFT_PATH), arguments, extra);
}

// Runs a bash script with torlin-lift's path as $0 and torlin-modes' as $1.
inline ToolRun RunShell(const QString& script, const QStringList& extra = {}) {
  return RunProgram(QStringLiteral("bash"),
                    {QStringLiteral("-c"), script, QStringLiteral(TORLIN_LIFT_PATH), QStringLiteral(TORLIN_MODES_PATH)},
                    extra);
}

// Every line of the output, the "# " notes after a table included.
inline QStringList AllLines(const QString& text) { return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
// The table: its header and rows, without the notes.
inline QStringList Lines(const QString& text) {
  QStringList table;
  for (const QString& line : AllLines(text)) {
    if (!line.startsWith(QLatin1String("# "))) table.push_back(line);
  }
  return table;
}
// The notes after a table as name and value ("# name,value").
inline std::map<QString, QString> Notes(const QString& text) {
  std::map<QString, QString> notes;
  for (const QString& line : AllLines(text)) {
    if (line.startsWith(QLatin1String("# "))) notes[line.mid(2).section(QLatin1Char(','), 0, 0)] = line.section(QLatin1Char(','), 1);
  }
  return notes;
}

struct Row {
  long revolution;
  double camAngle;
  QStringList fields;
  QStringList Position() const { return fields.mid(2); }  // everything but where in the run
};

// The data rows, without the header.
inline std::vector<Row> Rows(const ToolRun& run) {
  std::vector<Row> rows;
  const QStringList lines = Lines(run.out);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QStringList fields = lines[i].split(QLatin1Char(','));
    rows.push_back({fields.value(0).toLong(), fields.value(1).toDouble(), fields});
  }
  return rows;
}

inline const char* const kLiftHeader =
    "revolution,camAngle_deg,bestPitchIndex,bestLeverIndex,rollerX_mm,rollerY_mm,X_mm,Y_mm,valveY_mm,crank_deg,lift_mm";
inline constexpr int kLiftColumns = 11;
