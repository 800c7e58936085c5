// Pictures of a fine --step: however many rows, each series is cut down to what the
// picture can show before it reaches the chart, so memory and SVG stay small.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

extern char** environ;

namespace {

#ifdef __SANITIZE_ADDRESS__
constexpr const char* kFineStep = "--step=0.01";  // the sanitized build is many times slower
#else
constexpr const char* kFineStep = "--step=0.005";
#endif

struct Measured {
  int exitCode = -1;
  long peakKb = 0;  // the largest resident size the run reached
};

// Runs torlin-modes with stdout to /dev/null and measures its peak resident size.
Measured RunMeasured(const QStringList& arguments) {
  std::vector<std::string> words = {TORLIN_MODES_PATH};
  for (const QString& argument : arguments) words.push_back(argument.toStdString());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  Measured measured;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    rusage usage = {};
    if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) {
      measured.exitCode = WEXITSTATUS(status);
      measured.peakKb = usage.ru_maxrss;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  return measured;
}

TEST(FineStepPictures, AnyStepGivesSmallPicturesInBoundedMemory) {
  const QStringList runs[] = {
      {QStringLiteral("--loads=0,700"), QStringLiteral("--rpm=6000"), QLatin1String(kFineStep)},
      {QStringLiteral("--svaj=0,700"), QStringLiteral("--rpm=6000"), QLatin1String(kFineStep)},
  };
  for (const QStringList& run : runs) {
    SCOPED_TRACE(run.join(QLatin1Char(' ')).toStdString());
    QTemporaryDir folder;
    const QString plots = folder.filePath(QStringLiteral("plots"));
    const Measured rowsOnly = RunMeasured(run);
    const Measured withPictures = RunMeasured(run + QStringList{QStringLiteral("--plot-dir"), plots});
    ASSERT_EQ(rowsOnly.exitCode, 0);
    ASSERT_EQ(withPictures.exitCode, 0);
#ifndef __SANITIZE_ADDRESS__
    // What the pictures add to the rows' own memory.
    EXPECT_LT(withPictures.peakKb - rowsOnly.peakKb, 200 * 1024) << withPictures.peakKb << " kB against "
                                                                  << rowsOnly.peakKb << " kB";
#endif
    const QFileInfoList svgs = QDir(plots).entryInfoList({QStringLiteral("*.svg")}, QDir::Files);
    EXPECT_FALSE(svgs.isEmpty());
    for (const QFileInfo& svg : svgs) EXPECT_LT(svg.size(), 5'000'000) << svg.fileName().toStdString();
  }
}

}  // namespace
