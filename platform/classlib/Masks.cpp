#include "platform/classlib/Masks.h"

#include "platform/classlib/SysUtils.h"

#include <windows.h>

namespace classlib {

namespace {

WideString Upper(const String& Text) {
  WideString wide = ToWide(Text);
  if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return wide;
}

// Whether C is in the set that starts behind the "[" at Mask[Start]; End gets the index of its "]".
bool InSet(const WideString& Mask, size_t Start, char16_t C, size_t& End) {
  size_t i = Start;
  const bool negated = i < Mask.size() && Mask[i] == u'!';
  if (negated) ++i;
  bool found = false;
  // The first character is a member even when it is "]".
  do {
    const char16_t low = Mask[i];
    char16_t high = low;
    if (i + 2 < Mask.size() && Mask[i + 1] == u'-' && Mask[i + 2] != u']') {
      high = Mask[i + 2];
      i += 2;
    }
    if (C >= low && C <= high) found = true;
    ++i;
  } while (Mask[i] != u']');
  End = i;
  return found != negated;
}

bool MatchFrom(const WideString& Mask, size_t M, const WideString& Name, size_t N) {
  while (M < Mask.size()) {
    const char16_t m = Mask[M];
    if (m == u'*') {
      // Each run of stars matches as much as the rest of the pattern lets it.
      while (M < Mask.size() && Mask[M] == u'*') ++M;
      if (M == Mask.size()) return true;
      for (size_t n = N; n <= Name.size(); ++n)
        if (MatchFrom(Mask, M, Name, n)) return true;
      return false;
    }
    if (N == Name.size()) return false;
    if (m == u'[') {
      size_t end = 0;
      if (!InSet(Mask, M + 1, Name[N], end)) return false;
      M = end + 1;
    } else {
      if (m != u'?' && m != Name[N]) return false;
      ++M;
    }
    ++N;
  }
  return N == Name.size();
}

}  // namespace

TMask::TMask(const String& MaskValue) : FMask(Upper(MaskValue)) {
  // A set must be closed, and not before it holds a character.
  for (size_t i = 0; i < FMask.size(); ++i) {
    if (FMask[i] != u'[') continue;
    size_t j = i + 1;
    if (j < FMask.size() && FMask[j] == u'!') ++j;
    do {
      ++j;
    } while (j < FMask.size() && FMask[j] != u']');
    if (j >= FMask.size()) throw EMaskException(Format("'%s' is an invalid mask at (%d)", MaskValue, static_cast<int>(i)));
    i = j;
  }
}

bool TMask::Matches(const String& Filename) const { return MatchFrom(FMask, 0, Upper(Filename), 0); }

bool MatchesMask(const String& Filename, const String& Mask) { return TMask(Mask).Matches(Filename); }

}  // namespace classlib
