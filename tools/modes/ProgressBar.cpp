#include "ProgressBar.h"

#include <unistd.h>

#include <string>

#include "api/SummaryColumns.h"

namespace {
constexpr int kBarWidth = 30;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
}  // namespace

ProgressBar::ProgressBar(std::FILE* stream, std::size_t total)
    : stream_(stream), total_(total), shown_(isatty(fileno(stream)) != 0) {}

ProgressBar::~ProgressBar() { Finish(); }

void ProgressBar::Update(std::size_t done) {
  if (!shown_) return;
  const auto now = std::chrono::steady_clock::now();
  if (drawn_ && now - lastDrawn_ < kRedrawInterval && done < total_) return;
  lastDrawn_ = now;
  drawn_ = true;

  const double seconds = std::chrono::duration<double>(now - start_).count();
  const double rate = seconds > 0 ? double(done) / seconds : 0;
  const std::size_t filled = total_ ? done * kBarWidth / total_ : kBarWidth;
  std::string line = "\r[";
  line.append(filled, '#');
  line.append(kBarWidth - filled, '.');
  line += "] ";
  AppendNumber(line, long(done));
  line += '/';
  AppendNumber(line, long(total_));
  line += " modes";
  if (rate > 0) {
    line += ", ";
    AppendNumber(line, long(rate + 0.5));
    line += " modes/s, ";
    AppendNumber(line, long(double(total_ - done) / rate + 0.5));
    line += " s left";
  }
  line += "\033[K";  // clears what a longer line left behind
  std::fputs(line.c_str(), stream_);
  std::fflush(stream_);
}

void ProgressBar::Finish() {
  if (!drawn_) return;
  std::fputs("\r\033[K", stream_);
  std::fflush(stream_);
  drawn_ = false;
  shown_ = false;
}
