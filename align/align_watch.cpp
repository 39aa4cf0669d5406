#include "align_watch.h"

#include <algorithm>

#include <ksw2.h>
#include <minimap.h>
#include <mmpriv.h>

namespace {

thread_local std::atomic<int64_t>* watched = nullptr;
thread_local int64_t queryLength = 0;
thread_local double chainSpans = 0;  // query bases the chains of this query cover
thread_local double covered = 0;     // query bases handed to the DP so far

void publish() {
  if (watched == nullptr || !(chainSpans > 0)) return;
  double share = std::min(covered / chainSpans, 1.0);
  int64_t bases = std::min(static_cast<int64_t>(share * static_cast<double>(queryLength)), queryLength - 1);
  watched->store(std::max<int64_t>(bases, 0));
}

// The fills between a chain's anchors add up to the chain's span (MG1655: 786,651 of
// 794,569 bases); the extensions past its ends are handed up to 5,000 bases each, most of
// which z-drop leaves unaligned, so they count nothing.
void countFill(int qlen, int flag) {
  if ((flag & KSW_EZ_EXTZ_ONLY) != 0) return;
  covered += qlen;
  publish();
}

}  // namespace

void watchQuery(std::atomic<int64_t>* done, int64_t length) {
  watched = done;
  queryLength = length;
  chainSpans = covered = 0;
}

void stopWatchingQuery() { watched = nullptr; }

extern "C" {

mm_reg1_t* __real_mm_align_skeleton(void* km, const mm_mapopt_t* opt, const mm_idx_t* mi, int qlen, const char* qstr,
                                    int* n_regs_, mm_reg1_t* regs, mm128_t* a);
void __real_ksw_extd2_sse(void* km, int qlen, const uint8_t* query, int tlen, const uint8_t* target, int8_t m,
                          const int8_t* mat, int8_t gapo, int8_t gape, int8_t gapo2, int8_t gape2, int w, int zdrop,
                          int end_bonus, int flag, ksw_extz_t* ez);
void __real_ksw_extz2_sse(void* km, int qlen, const uint8_t* query, int tlen, const uint8_t* target, int8_t m,
                          const int8_t* mat, int8_t q, int8_t e, int w, int zdrop, int end_bonus, int flag,
                          ksw_extz_t* ez);

mm_reg1_t* __wrap_mm_align_skeleton(void* km, const mm_mapopt_t* opt, const mm_idx_t* mi, int qlen, const char* qstr,
                                    int* n_regs_, mm_reg1_t* regs, mm128_t* a) {
  chainSpans = covered = 0;
  for (int i = 0; i < *n_regs_; ++i) chainSpans += regs[i].qe - regs[i].qs;
  return __real_mm_align_skeleton(km, opt, mi, qlen, qstr, n_regs_, regs, a);
}

void __wrap_ksw_extd2_sse(void* km, int qlen, const uint8_t* query, int tlen, const uint8_t* target, int8_t m,
                          const int8_t* mat, int8_t gapo, int8_t gape, int8_t gapo2, int8_t gape2, int w, int zdrop,
                          int end_bonus, int flag, ksw_extz_t* ez) {
  __real_ksw_extd2_sse(km, qlen, query, tlen, target, m, mat, gapo, gape, gapo2, gape2, w, zdrop, end_bonus, flag, ez);
  countFill(qlen, flag);
}

void __wrap_ksw_extz2_sse(void* km, int qlen, const uint8_t* query, int tlen, const uint8_t* target, int8_t m,
                          const int8_t* mat, int8_t q, int8_t e, int w, int zdrop, int end_bonus, int flag,
                          ksw_extz_t* ez) {
  __real_ksw_extz2_sse(km, qlen, query, tlen, target, m, mat, q, e, w, zdrop, end_bonus, flag, ez);
  countFill(qlen, flag);
}

}  // extern "C"
