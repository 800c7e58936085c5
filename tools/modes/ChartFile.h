#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <string>
#include <vector>

class QChart;

// Writes a chart as a picture in two forms: DIR/NAME.png (pixels) and DIR/NAME.svg
// (vectors, for reports), rendered offscreen at the given size. DIR is the folder's
// name as the system takes it, bytes that need not be UTF-8, from the check of the
// folder to the last write. Returns an empty string, or one line naming the file that
// could not be written and why.
QString SaveChart(QChart& chart, const std::string& directory, const QString& name, QSize size = QSize(1200, 800));

// The same for charts stacked top to bottom in one picture, each of the given size.
// Their plot areas are lined up, so that charts over one x range share their x axis.
QString SaveChartStack(const std::vector<QChart*>& charts, const std::string& directory, const QString& name,
                       QSize eachSize);

// Writes the bytes into a temporary file beside PATH and renames it to PATH only when
// all are on disk, so that PATH is either the old file or the whole new one. The same
// kind of line on failure.
QString WriteWholeFile(const std::string& path, const QByteArray& bytes);
