// Going back: the line before a page start, found by laying out lines from
// an earlier start; the page that ends at a page start, found by guessing
// an earlier start, laying out pages forwards and correcting the guess.
#include "layout/pages/layout_context.h"
#include "storage/documents/document.h"

namespace {

constexpr uint32_t kLineSearchSpan = 4096;
// Pages laid out for one backward page search at most; a search that has
// not settled by then has gone wrong and fails.
constexpr uint32_t kMaxTrials = 256;

struct Trial {
  PageFrame frame;
  PageFrame following;
  bool hasFollowing = false;
  bool endedAtBreak = false;
  int32_t fraction = 0;

  void MoveFrom(Trial& other) {
    frame.MoveFrom(other.frame);
    following.MoveFrom(other.following);
    hasFollowing = other.hasFollowing;
    endedAtBreak = other.endedAtBreak;
    fraction = other.fraction;
    other.hasFollowing = false;
  }
};

}  // namespace

bool LayoutContext::FindPreviousLine(const PageFrame& frame, PageFrame** out, bool* crossed) {
  *out = nullptr;
  *crossed = false;
  if (!firstKnown_ && !FindFirstPage()) return false;
  const uint32_t p = frame.start;
  uint32_t b = first_.start;
  uint32_t answer = 0;
  if (FindFrame(p, kStepPageBack, &answer) != nullptr) {
    b = answer;
  } else {
    for (uint32_t i = 0; i < cacheCount_; ++i)
      if (cache_[i]->start < p && cache_[i]->start > b) b = cache_[i]->start;
  }
  if (b >= p || p - b > kLineSearchSpan) {
    const uint32_t from = p > kLineSearchSpan ? p - kLineSearchSpan : 0;
    uint32_t anchor = document_ != nullptr ? document_->FindAnchorPosition(from, p, true) : kNoPosition;
    const bool resync = anchor == kNoPosition;
    if (resync) anchor = from;
    PageFrame start;
    LayoutPosition key{-1, anchor};
    if (!LayOutPageAt(&key, &start, resync) || start.start >= p) return false;
    b = start.start;
    if (!AddFrame(start)) return false;
  }
  for (uint32_t guard = 0; guard < kLineSearchSpan + 1; ++guard) {
    if (!BuildPageAt(b, true)) return false;
    PageFrame* line = FindFrame(b, kStepLine);
    if (line == nullptr || line->start <= b) return false;
    if (line->start >= p) {
      *out = FindFrame(b, 0);
      if (*out == nullptr) return false;
      *crossed = !SameUnit((*out)->start, p);
      return true;
    }
    b = line->start;
  }
  return false;
}

bool LayoutContext::PrepareFrameAt(uint32_t position, bool resync, PageFrame* frame) {
  LayoutPosition key{-1, position};
  return LayOutPageAt(&key, frame, resync);
}

bool LayoutContext::AcceptPreviousPage(const PageFrame& target, LaidOutPage* page, PageFrame* accepted,
                                       bool hasNext, PageFrame* following, PageFrame** out) {
  const uint32_t p = target.start;
  if (accepted->start > first_.start && accepted->start == p) return false;
  const bool isFirst = accepted->start <= first_.start;
  accepted->useStamp = NextStamp();
  accepted->linkIndex = -1;
  const uint32_t start = accepted->start;
  if (isFirst) {
    if (page->frame == accepted) page->frame = &first_;
    first_.end = accepted->end;
    if (hasNext) {
      following->number = 2;
      following->linkPosition = first_.start;
      following->linkStep = 2;
      AddFrame(*following);
    } else {
      lastPage_ = LayoutPosition{1, first_.start};
    }
    *out = &first_;
    return true;
  }
  accepted->number = target.number < 3 ? 2 : target.number - 1;
  const int32_t number = accepted->number;
  if (!AddFrame(*accepted)) return false;
  if (hasNext) {
    following->number = number + 1;
    following->linkPosition = start;
    following->linkStep = 2;
    AddFrame(*following);
  } else {
    lastPage_ = LayoutPosition{number, start};
  }
  *out = FindFrame(start, 0);
  return *out != nullptr;
}

bool LayoutContext::FindPreviousPage(const PageFrame& target, PageFrame** out) {
  *out = nullptr;
  if (!firstKnown_ && !FindFirstPage()) return false;
  // A column lower than a pixel holds no page, and would divide by zero.
  if (columns_[0].height < 1 || columns_[0].width < 1) return false;
  const uint32_t p = target.start;
  uint32_t low = first_.start;
  if (document_ != nullptr) {
    const uint32_t anchor = document_->FindAnchorPosition(low, p + 1, false);
    if (anchor != kNoPosition && anchor > low && anchor <= p) low = anchor;
  }
  LaidOutPage* page = PickPageBuffer();
  const int64_t cpp = EstimateCharsPerPage();
  int64_t tol = int64_t{384} * font_.baseSize / columns_[0].height;
  if (tol > 128) tol = 128;
  int64_t b = int64_t{p} - cpp;
  Trial best;
  bool haveBest = false;
  Trial previous;
  bool havePrevious = false;
  Trial trial;
  uint32_t restarts = 0;
  uint32_t walked = 0;

  auto accept = [&](Trial& chosen) {
    const bool built = page->frame == &chosen.frame;
    if (!built) ReleasePageBuffer(page);
    ParkStream();
    return AcceptPreviousPage(target, page, &chosen.frame, chosen.hasFollowing, &chosen.following, out);
  };

  for (uint32_t n = 0; n < kMaxTrials; ++n) {
    if (havePrevious && previous.hasFollowing) {
      if (!trial.frame.CopyFrom(previous.following)) return false;
    } else {
      walked = 0;
      if (b >= low) {
        if (!PrepareFrameAt(static_cast<uint32_t>(b), true, &trial.frame)) return false;
        if (trial.frame.start >= p && !PrepareFrameAt(static_cast<uint32_t>(b), false, &trial.frame)) return false;
      } else if (first_.start >= low) {
        if (!trial.frame.CopyFrom(first_)) return false;
      } else {
        if (!PrepareFrameAt(low, false, &trial.frame)) return false;
        b = low;
      }
    }
    ReleasePageBuffer(page);
    page->frame = &trial.frame;
    bool more = false;
    trial.following.Reset();
    if (!BuildPage(page, &trial.following, &more, false)) {
      ReleasePageBuffer(page);
      ParkStream();
      return false;
    }
    trial.hasFollowing = more && trial.following.start > trial.frame.start;
    trial.endedAtBreak = lastPageEndedAtBreak_;
    int32_t f = 0;
    bool found = PageFraction(&page->store, p, &f);
    if (walked == 0 && !found && trial.frame.start > p) {
      f = 0;  // the guess started beyond the target: move it back
      found = true;
    }
    trial.fraction = f;
    const bool atBreak = havePrevious && previous.endedAtBreak;
    if (found) {
      if (atBreak) return (f < tol && havePrevious) ? accept(previous) : accept(trial);
      if (f >= 256 - tol) return accept(trial);
      if (f < tol && havePrevious) return accept(previous);
      if (restarts >= 1) return (haveBest && best.fraction > f) ? accept(best) : accept(trial);
      if (trial.frame.start > low) {
        // The page wanted ends just past the target: it starts the part of
        // a page that follows the target (less half the tolerance) before
        // this trial, in the trial's own length of text. In 64 bits: the
        // product outgrows 32 bits in a large book.
        const int64_t trialStart = trial.frame.start;
        const int64_t length =
            trial.frame.end != kNoPosition && trial.frame.end > trial.frame.start ? trial.frame.end - trialStart : cpp;
        if (!haveBest || f > best.fraction) {
          best.MoveFrom(trial);
          haveBest = true;
        }
        b = trialStart - ((256 - f - tol / 2) * length) / 256;
        ++restarts;
        havePrevious = false;
        continue;
      }
      return accept(trial);
    }
    // A page that ends before the target is never the answer while another
    // follows it: the text between would be skipped.
    if (!trial.hasFollowing) return accept(trial);  // the target lies past the last page
    previous.MoveFrom(trial);
    havePrevious = true;
    ++walked;
  }
  ReleasePageBuffer(page);
  ParkStream();
  return false;
}
