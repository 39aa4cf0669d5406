// The importer's output: tandem tokens, "pos/partner/len/orientation[/identity[/difference]]"
// and a line end each, handed in batches of whole tokens to a sink, which may be a file
// writer or the loader's scanner. len is the longer copy's length (the bar's height, also
// to a reader of three fields); a sixth field, the partner copy's length less the first
// copy's, is written only when the copies differ, with "." for an unknown identity.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// What a token's fields say, as numbers: the pair handed over without its text.
struct PairFields {
  int64_t pos;
  int64_t partner;
  int64_t len;         // the longer copy's
  int orientation;     // 0 same strand, 1 reverse complement
  int64_t hundredths;  // the identity in hundredths of a percent; negative: unknown
  int64_t difference;  // the partner copy's length less the first copy's
};

// A sink takes the tokens' text, or, where takeFields is set, every pair as the numbers its
// token would give a reader (the loader, which then reads no text back).
struct PairSink {
  void (*take)(void* context, const char* text, size_t size);
  void* context;
  void (*takeFields)(void* context, const PairFields& pair) = nullptr;
};

struct TokenOutput {
  PairSink sink;
  std::vector<char> buffer;
  size_t used;
};

void startTokenOutput(TokenOutput& out, PairSink sink);

// len: the first copy's length; partnerLen: the partner copy's, negative when it is as long.
// identity: percent, written with two decimals; negative writes no fifth field (or ".").
void emitPair(TokenOutput& out, int64_t pos, int64_t partner, int64_t len, int orientation, double identity = -1.0,
              int64_t partnerLen = -1);

// Hands the tokens still buffered to the sink.
void flushTokens(TokenOutput& out);

// The fields of the token emitPair writes for these arguments.
PairFields fieldsOfPair(int64_t pos, int64_t partner, int64_t len, int orientation, double identity = -1.0,
                        int64_t partnerLen = -1);

// Formats one token with its line end into out (room for kMaxTokenBytes) and returns its size.
constexpr size_t kMaxTokenBytes = 128;
size_t formatPair(char* out, int64_t pos, int64_t partner, int64_t len, int orientation, double identity = -1.0,
                  int64_t partnerLen = -1);
