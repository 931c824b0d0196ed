// Passing over digits a single-digit routine has searched in vain. What such a routine finds
// on a digit depends only on the digit's picture: the cells that hold it, which of them are
// open (hold other candidates too, so that the queue takes them), and the display mode. This
// holds for routines that queue only cells holding the digit, and flush once at the end. The routine keeps the picture of every digit on
// which it queued nothing and wrote nothing, and skips the digit while its picture is the
// same; a skipped digit is one that would again add no entry and no line, so the queue and
// the log come out as ever.
#pragma once
#include <cstdint>
#include <cstring>

#include "board/candidates.h"
#include "board/state.h"

struct DigitPicture {
  uint32_t word[7];  // three words of holding cells, three of open ones, the display mode
};

struct QuietDigits {
  uint32_t quiet = 0;  // bit d: picture[d] is one on which the routine found nothing
  DigitPicture picture[9];
};

// One run of a routine over the digits, in ascending order: Skip(d) before each digit (true:
// pass over it), Settle() once the last digit is searched, before the queue is flushed.
class QuietDigitScan {
 public:
  explicit QuietDigitScan(QuietDigits& memo) : memo_(memo) {
    for (uint32_t r = 0; r < 9; ++r) {
      uint32_t open = 0;
      for (uint32_t col = 0; col < 9; ++col) open |= (g.cand.count[r * 9 + col] >= 2) << col;
      openRows_[r] = open;
    }
  }

  bool Skip(uint32_t d) {
    Settle();
    uint32_t rows[27];
    LoadUnitHolders(d, rows);
    DigitPicture& p = now_[d];
    for (uint32_t i = 0; i < 3; ++i) {
      const uint32_t* row = rows + 3 * i;
      const uint32_t* open = openRows_ + 3 * i;
      p.word[i] = row[0] | row[1] << 9 | row[2] << 18;
      p.word[3 + i] = (row[0] & open[0]) | (row[1] & open[1]) << 9 | (row[2] & open[2]) << 18;
    }
    p.word[6] = static_cast<uint32_t>(g.settings.candErase);
    if ((memo_.quiet >> d & 1) != 0 && std::memcmp(&p, &memo_.picture[d], sizeof p) == 0)
      return true;
    memo_.quiet &= ~(1u << d);
    searching_ = d;
    queued_ = g.queue.length;
    outputs_ = g.techniqueOutputs;
    return false;
  }

  // Keeps the picture of the digit searched last if the search added nothing; a digit counts
  // as searched in vain only when the queue could still take entries.
  void Settle() {
    const uint32_t d = searching_;
    searching_ = kNone;
    if (d == kNone || g.queue.length != queued_ || g.techniqueOutputs != outputs_ ||
        g.queue.length >= kQueueCapacity)
      return;
    memo_.picture[d] = now_[d];
    memo_.quiet |= 1u << d;
  }

 private:
  static constexpr uint32_t kNone = 9;
  QuietDigits& memo_;
  uint32_t openRows_[9];
  DigitPicture now_[9];
  uint32_t searching_ = kNone, queued_ = 0, outputs_ = 0;
};
