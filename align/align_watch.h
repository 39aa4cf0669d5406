// How far libminimap2 has come within one query: it reports nothing while it maps a
// sequence, so a one-sequence genome would read "0 kb" until the end. The link wraps its
// step that aligns a query's chains and the DP kernels under it (see CMakeLists.txt); they
// only count, and call minimap2's own functions with the same arguments.
#pragma once

#include <atomic>
#include <cstdint>

// While the calling thread maps a query of length bases, *done follows an estimate of the
// bases of it done: the query bases the DP has filled between anchors against the spans of
// the chains it aligns, which is where a self-alignment spends most of its time (seeding and
// chaining before count nothing). Never length itself: the query
// is done only once its lines are.
void watchQuery(std::atomic<int64_t>* done, int64_t length);
void stopWatchingQuery();
