// Running a collection: worker processes, the ordered merge, progress and grade lines.
#include "cli/collection.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "board/queue.h"
#include "board/state.h"
#include "drivers/grade.h"
#include "drivers/path.h"

namespace {

double Now() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// One line on stderr rewritten in place, only when stderr is a terminal that stdout does not
// also write to (there the output itself shows how far the run is).
class ProgressLine {
 public:
  ProgressLine(size_t total, double start) : total_(total), start_(start), shown_(start) {
    struct stat out, err;
    on_ = isatty(2) && !(isatty(1) && fstat(1, &out) == 0 && fstat(2, &err) == 0 &&
                         out.st_rdev == err.st_rdev);
  }
  void Update(size_t done) {
    if (!on_) return;
    const double now = Now();
    if (now - shown_ < 0.25) return;
    shown_ = now;
    const double rate = done / std::max(now - start_, 1e-9);
    std::string line = Format(rate < 10 ? "%zu/%zu  %.1f puzzles/s" : "%zu/%zu  %.0f puzzles/s",
                              done, total_, rate);
    if (done > 0) line += "  " + DurationText((total_ - done) / rate) + " left";
    Write(line);
  }
  void Clear() {
    if (on_ && width_) Write("");
  }

 private:
  void Write(const std::string& line) {
    std::string text = "\r" + line;
    if (line.size() < width_) text += std::string(width_ - line.size(), ' ') + "\r" + line;
    width_ = line.size();
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
  }
  size_t total_;
  double start_;
  double shown_;
  size_t width_ = 0;
  bool on_ = false;
};

// Puzzles go to the workers in interleaved chunks: chunk k to worker k mod workers.
constexpr size_t kChunk = 8;

size_t FirstOf(uint32_t worker) { return worker * kChunk; }
size_t WorkerOf(size_t n, uint32_t workers) { return n / kChunk % workers; }
size_t NextOf(size_t n, uint32_t workers) {
  return (n + 1) % kChunk ? n + 1 : n + 1 + (workers - 1) * kChunk;
}

// What a worker sends after each puzzle: its output ends at `end` in the worker's file.
struct Record {
  uint64_t puzzle;
  uint64_t tag;
  uint64_t end;
};

bool WriteAll(int fd, const void* data, size_t length) {
  const char* p = static_cast<const char*>(data);
  while (length) {
    const ssize_t n = write(fd, p, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    length -= static_cast<size_t>(n);
  }
  return true;
}

[[noreturn]] void WorkerMain(uint32_t worker, uint32_t workers, size_t count, const PuzzleRun& run,
                             int file, int pipe) {
  if (dup2(file, 1) < 0) _exit(1);
  close(file);
  for (size_t n = FirstOf(worker); n < count; n = NextOf(n, workers)) {
    Record r{n, run(n), 0};
    if (std::fflush(stdout) != 0) _exit(1);
    const off_t end = lseek(1, 0, SEEK_CUR);
    if (end < 0) _exit(1);
    r.end = static_cast<uint64_t>(end);
    if (!WriteAll(pipe, &r, sizeof r)) _exit(1);
  }
  _exit(0);
}

int TempFile() {
  const char* dir = std::getenv("TMPDIR");
  std::string path = std::string(dir && *dir ? dir : "/tmp") + "/vorel-cli-XXXXXX";
  const int fd = mkstemp(path.data());
  if (fd >= 0) unlink(path.c_str());
  return fd;
}

bool CopyRange(int fd, uint64_t from, uint64_t to) {
  char buffer[1 << 16];
  while (from < to) {
    const size_t want = static_cast<size_t>(std::min<uint64_t>(sizeof buffer, to - from));
    const ssize_t n = pread(fd, buffer, want, static_cast<off_t>(from));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    if (std::fwrite(buffer, 1, static_cast<size_t>(n), stdout) != static_cast<size_t>(n))
      return false;
    from += static_cast<uint64_t>(n);
  }
  return true;
}

std::string DescribeExit(int status) {
  if (WIFSIGNALED(status)) return strsignal(WTERMSIG(status));
  if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
    return "exit status " + std::to_string(WEXITSTATUS(status));
  return "ended early";
}

struct Worker {
  pid_t pid = -1;
  int pipe = -1;
  int file = -1;
  uint64_t end = 0;  // end of its last reported output
  size_t next = 0;   // the puzzle it is working on (count when it has none left)
  std::string pending;
};

int RunWorkers(size_t count, uint32_t workers, const PuzzleRun& run, CollectionOutcome& out,
               ProgressLine& progress) {
  std::vector<Worker> ws(workers);
  std::vector<uint64_t> begin(count), end(count);
  std::vector<uint8_t> ready(count), tag(count);
  size_t deadAt = count, reported = 0;
  std::string deadWhy, lateWhy, startError;

  std::fflush(stdout);
  std::fflush(stderr);
  for (uint32_t w = 0; w < workers && startError.empty(); ++w) {
    int p[2] = {-1, -1};
    ws[w].file = TempFile();
    if (ws[w].file < 0 || pipe(p) != 0) {
      startError = std::string("cannot start a worker: ") + std::strerror(errno);
      break;
    }
    const pid_t pid = fork();
    if (pid == 0) {
      close(p[0]);
      for (uint32_t k = 0; k < w; ++k) {
        close(ws[k].pipe);
        close(ws[k].file);
      }
      WorkerMain(w, workers, count, run, ws[w].file, p[1]);
    }
    close(p[1]);
    if (pid < 0) {
      close(p[0]);
      startError = std::string("cannot start a worker: ") + std::strerror(errno);
      break;
    }
    ws[w].pid = pid;
    ws[w].pipe = p[0];
    ws[w].next = FirstOf(w);
  }
  if (!startError.empty()) deadAt = 0;

  size_t next = 0;
  bool failed = false;
  while (true) {
    while (next < deadAt && ready[next]) {
      if (!CopyRange(ws[WorkerOf(next, workers)].file, begin[next], end[next])) {
        std::fprintf(stderr, "vorel-cli: cannot read back the output of puzzle %zu\n", next + 1);
        deadAt = next;
        failed = true;
        break;
      }
      ++out.tags[tag[next] < kCollectionTags ? tag[next] : 0];
      ++next;
    }
    if (next == deadAt) break;

    std::vector<pollfd> fds;
    std::vector<uint32_t> owner;
    for (uint32_t w = 0; w < workers; ++w)
      if (ws[w].pipe >= 0) {
        fds.push_back({ws[w].pipe, POLLIN, 0});
        owner.push_back(w);
      }
    // An unfinished puzzle always has a live worker; anything else ends the run as failed.
    if (fds.empty() || (poll(fds.data(), fds.size(), 250) < 0 && errno != EINTR)) {
      deadAt = next;
      deadWhy = fds.empty() ? "no worker left" : std::strerror(errno);
      break;
    }
    for (size_t i = 0; i < fds.size(); ++i) {
      if (!fds[i].revents) continue;
      Worker& wk = ws[owner[i]];
      char buffer[4096];
      const ssize_t n = read(wk.pipe, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n > 0) {
        wk.pending.append(buffer, static_cast<size_t>(n));
        size_t at = 0;
        for (; at + sizeof(Record) <= wk.pending.size(); at += sizeof(Record)) {
          Record r;
          std::memcpy(&r, wk.pending.data() + at, sizeof r);
          if (r.puzzle != wk.next || r.end < wk.end) continue;
          begin[r.puzzle] = wk.end;
          end[r.puzzle] = r.end;
          tag[r.puzzle] = static_cast<uint8_t>(r.tag);
          ready[r.puzzle] = 1;
          wk.end = r.end;
          wk.next = std::min(NextOf(r.puzzle, workers), count);
          ++reported;
        }
        wk.pending.erase(0, at);
        continue;
      }
      // The pipe closed: the worker has ended, well or not.
      close(wk.pipe);
      wk.pipe = -1;
      int status = 0;
      while (waitpid(wk.pid, &status, 0) < 0 && errno == EINTR) {
      }
      wk.pid = -1;
      const bool clean = WIFEXITED(status) && WEXITSTATUS(status) == 0;
      if (wk.next < count && wk.next < deadAt) {
        deadAt = wk.next;
        deadWhy = DescribeExit(status);
      } else if (wk.next >= count && !clean) {
        lateWhy = DescribeExit(status);
      }
    }
    progress.Update(reported);
  }

  progress.Clear();
  if (!startError.empty()) {
    std::fprintf(stderr, "vorel-cli: %s\n", startError.c_str());
    failed = true;
  } else if (!deadWhy.empty()) {
    std::fprintf(stderr, "vorel-cli: worker died on puzzle %zu: %s\n", deadAt + 1,
                 deadWhy.c_str());
    failed = true;
  } else if (!lateWhy.empty()) {
    std::fprintf(stderr, "vorel-cli: a worker failed after its last puzzle: %s\n",
                 lateWhy.c_str());
    failed = true;
  }
  for (Worker& wk : ws) {
    if (wk.pid > 0) {
      if (failed) kill(wk.pid, SIGKILL);
      int status = 0;
      while (waitpid(wk.pid, &status, 0) < 0 && errno == EINTR) {
      }
      if (!failed && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) {
        std::fprintf(stderr, "vorel-cli: a worker failed after its last puzzle: %s\n",
                     DescribeExit(status).c_str());
        failed = true;
      }
    }
    if (wk.pipe >= 0) close(wk.pipe);
    if (wk.file >= 0) close(wk.file);
  }
  out.done = next;
  return failed ? 1 : 0;
}

}  // namespace

std::string DurationText(double seconds) {
  const long s = seconds < 0 ? 0 : static_cast<long>(seconds + 0.5);
  char buffer[32];
  if (s >= 3600)
    std::snprintf(buffer, sizeof buffer, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  else
    std::snprintf(buffer, sizeof buffer, "%ld:%02ld", s / 60, s % 60);
  return buffer;
}

uint32_t WorkerCount(uint32_t requested) {
  if (requested) return requested;
  const long cores = sysconf(_SC_NPROCESSORS_ONLN);
  return cores > 0 ? static_cast<uint32_t>(cores) : 1;
}

bool ReadStandardInput(size_t limit, std::vector<uint8_t>& out) {
  out.clear();
  uint8_t buffer[65536];
  while (out.size() < limit) {
    const ssize_t n = read(0, buffer, std::min(sizeof buffer, limit - out.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    out.insert(out.end(), buffer, buffer + n);
  }
  return true;
}

uint32_t PuzzleSeed(uint32_t seed, size_t n) {
  return seed + static_cast<uint32_t>(n) * 0x9E3779B9u;
}

int RunCollection(size_t count, uint32_t workers, const PuzzleRun& run, CollectionOutcome& out) {
  out = {};
  const double start = Now();
  ProgressLine progress(count, start);
  // More workers than chunks would sit idle.
  workers = static_cast<uint32_t>(std::min<size_t>(workers, (count + kChunk - 1) / kChunk));
  int rc = 0;
  if (workers <= 1) {
    for (size_t n = 0; n < count; ++n) {
      const uint32_t t = run(n);
      ++out.tags[t < kCollectionTags ? t : 0];
      out.done = n + 1;
      progress.Update(out.done);
    }
    progress.Clear();
  } else {
    rc = RunWorkers(count, workers, run, out, progress);
  }
  out.seconds = Now() - start;
  return rc;
}

uint32_t PrintGradeLine(size_t n, const std::string& text, std::FILE* out, bool fromTable) {
  const char empty = text.find('0') == std::string::npos ? '.' : '0';
  std::string givens(81, empty);
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.value[c] >= 1 && g.board.value[c] <= 9)
      givens[c] = static_cast<char>('0' + g.board.value[c]);

  GradeResult r;
  const uint32_t grade = fromTable ? GradePosition(r) : GradePuzzle(r);
  std::string detail;
  if (grade == GradeInvalid) {
    detail = r.solutions == 0 ? "no solution" : "several solutions";
  } else if (grade == GradeBeyond) {
    detail = Format("%u cells open", r.open);
  } else {
    for (uint32_t i = 0; i < r.used; ++i)
      detail += Format("%s%s %u", i ? ", " : "", TechniqueName(r.code[i]), r.removed[i]);
    if (detail.empty()) detail = "none";
  }
  std::fprintf(out, "%zu\t%s\t%s\t%s\n", n + 1, givens.c_str(), GradeName(grade), detail.c_str());
  return grade;
}

std::string GradeSummary(const CollectionOutcome& outcome) {
  std::string line = Format("vorel-cli: graded %zu puzzles in %.2f s (%.0f puzzles/s):",
                            outcome.done, outcome.seconds,
                            outcome.done / std::max(outcome.seconds, 1e-9));
  for (uint32_t grade = 0; grade < GradeCount; ++grade)
    line += Format("%s %s %llu", grade ? "," : "", GradeName(grade),
                   static_cast<unsigned long long>(outcome.tags[grade]));
  return line;
}

uint32_t PrintPath(size_t n, bool json, std::FILE* out) {
  std::string puzzle(81, '0');
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.value[c] >= 1 && g.board.value[c] <= 9)
      puzzle[c] = static_cast<char>('0' + g.board.value[c]);
  PathResult result;
  SolvePath(result);
  std::string text;
  if (json) {
    text = PathJson(static_cast<uint32_t>(n + 1), puzzle, result) + "\n";
  } else {
    text = Format("puzzle %zu %s\n", n + 1, puzzle.c_str());
    for (const PathStep& step : result.steps) text += PathStepText(step) + "\n";
    uint32_t open = 0;
    for (uint32_t c = 0; c < 81; ++c) open += g.board.value[c] == 0 && g.cand.count[c] != 1;
    text += result.solved ? Format("solved, rating %s\n\n", WeightText(result.rating).c_str())
                          : Format("stuck, rating %s, %u cells open\n\n",
                                   WeightText(result.rating).c_str(), open);
  }
  std::fputs(text.c_str(), out);
  return result.solved ? 0 : 1;
}

std::string PathSummary(const CollectionOutcome& outcome) {
  return Format("vorel-cli: %zu paths in %.2f s (%.0f paths/s): solved %llu, stuck %llu",
                outcome.done, outcome.seconds, outcome.done / std::max(outcome.seconds, 1e-9),
                static_cast<unsigned long long>(outcome.tags[0]),
                static_cast<unsigned long long>(outcome.tags[1]));
}
