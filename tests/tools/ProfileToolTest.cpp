// torlin-modes --profile, run as a person runs it: the CSV's points and the DXF's
// vertices are the same, the drawing is in millimetres and whole, and --profile is a
// run of its own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>
#include <cmath>
#include <vector>

#include "LiftRun.h"

namespace {

double Number(const QString& text) {
  bool ok = false;
  const double value = QLocale::c().toDouble(text.trimmed(), &ok);
  EXPECT_TRUE(ok) << text.toStdString();
  return value;
}

struct Point {
  double x;
  double y;
};

TEST(ProfileTool, CsvAndDxfHoldTheSameSurfacesInMillimetres) {
  QTemporaryDir folder;
  const QString dxf = folder.filePath(QStringLiteral("mechanism.dxf"));
  const ToolRun run = RunProgram(QStringLiteral(TORLIN_MODES_PATH), {QStringLiteral("--profile"), QStringLiteral("--dxf"), dxf},
                                 {QStringLiteral("LC_ALL=de_DE.UTF-8")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
  const QStringList lines = AllLines(run.out);
  ASSERT_EQ(lines.value(0), QStringLiteral("part,angle_deg,x_mm,y_mm"));
  std::vector<Point> cam;
  std::vector<Point> lever;
  QStringList block;
  for (const QString& line : lines.mid(1)) {
    if (line.startsWith(QLatin1String("# "))) {
      block.push_back(line);
      continue;
    }
    const QStringList cells = line.split(QLatin1Char(','));
    ASSERT_EQ(cells.size(), 4) << line.toStdString();
    (cells[0] == QLatin1String("camSurface") ? cam : lever).push_back({Number(cells[2]), Number(cells[3])});
  }
  EXPECT_EQ(cam.size(), 7200u);
  EXPECT_GT(lever.size(), 2800u);
  EXPECT_TRUE(block.contains(QStringLiteral("# rollerRadius_mm,9.5")));
  EXPECT_TRUE(block.contains(QStringLiteral("# camAxisX_mm,3.39237")));
  for (const Point& p : cam) {
    const double radius = std::hypot(p.x, p.y);
    EXPECT_TRUE(radius >= 14.5 - 1e-12 && radius < 21.85) << radius;
  }

  // The drawing: millimetres, two layers, and every vertex a CSV point (the lever's
  // moved by its pivot's offset from the cam axis: 0, -31.63369).
  QFile file(dxf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QStringList codes;
  for (const QByteArray& line : file.readAll().split('\n')) codes.push_back(QString::fromLatin1(line).trimmed());
  EXPECT_FALSE(QFile::exists(dxf + QStringLiteral(".partial")));
  while (!codes.isEmpty() && codes.last().isEmpty()) codes.removeLast();
  ASSERT_FALSE(codes.isEmpty());
  EXPECT_EQ(codes.last(), QStringLiteral("EOF"));
  const qsizetype units = codes.indexOf(QStringLiteral("$INSUNITS"));
  ASSERT_GE(units, 0);
  EXPECT_EQ(codes.value(units + 2), QStringLiteral("4"));
  // Each curve is one LWPOLYLINE: its layer (code 8), then its vertices as 10/20 pairs.
  std::vector<std::pair<QString, Point>> vertices;
  bool inPolyline = false;
  QString layer;
  for (qsizetype i = 0; i + 1 < codes.size(); i += 2) {
    if (codes[i] == QLatin1String("0")) {
      inPolyline = codes[i + 1] == QLatin1String("LWPOLYLINE");
      continue;
    }
    if (!inPolyline) continue;
    if (codes[i] == QLatin1String("8")) layer = codes[i + 1];
    if (codes[i] == QLatin1String("10")) vertices.push_back({layer, {Number(codes[i + 1]), 0}});
    if (codes[i] == QLatin1String("20")) vertices.back().second.y = Number(codes[i + 1]);
  }
  ASSERT_EQ(vertices.size(), cam.size() + lever.size());
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    const bool onCam = i < cam.size();
    const Point expected = onCam ? cam[i] : Point{lever[i - cam.size()].x, lever[i - cam.size()].y - 31.63369};
    ASSERT_EQ(vertices[i].first, onCam ? QStringLiteral("CAM_SURFACE") : QStringLiteral("LEVER_FACE")) << i;
    ASSERT_NEAR(vertices[i].second.x, expected.x, 1e-9) << i;
    ASSERT_NEAR(vertices[i].second.y, expected.y, 1e-9) << i;
  }
}

TEST(ProfileTool, OtherOptionsAreRefusedAndAFailedDrawingLeavesNothing) {
  for (const QStringList& arguments :
       {QStringList{"--profile", "--svaj=60,200"}, QStringList{"--profile", "--lever=0:10:5"},
        QStringList{"--dxf", "x.dxf"}, QStringList{"--profile", "--plot-dir", "plots"}}) {
    const ToolRun run = RunProgram(QStringLiteral(TORLIN_MODES_PATH), arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
  }
  QTemporaryDir folder;
  const QString missing = folder.filePath(QStringLiteral("no/such/folder/m.dxf"));
  const ToolRun run = RunProgram(QStringLiteral(TORLIN_MODES_PATH), {QStringLiteral("--profile"), QStringLiteral("--dxf"), missing});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.startsWith(QStringLiteral("torlin-modes: cannot write '"))) << run.err.toStdString();
  EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

}  // namespace
