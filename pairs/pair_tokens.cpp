#include "pair_tokens.h"

#include <cstring>

namespace {

// Big enough that the sink's call costs nothing per token, small enough to stay in cache.
constexpr size_t kTokenBatchBytes = size_t{1} << 16;

// Two digits at a time: formatting is a good part of a large conversion's time.
char* writeDigits(char* out, uint64_t value) {
  static const char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  char digits[20];
  int n = 20;
  while (value >= 100) {
    size_t pair = static_cast<size_t>(value % 100) * 2;
    value /= 100;
    digits[--n] = kPairs[pair + 1];
    digits[--n] = kPairs[pair];
  }
  if (value >= 10) {
    digits[--n] = kPairs[static_cast<size_t>(value) * 2 + 1];
    digits[--n] = kPairs[static_cast<size_t>(value) * 2];
  } else {
    digits[--n] = static_cast<char>('0' + value);
  }
  size_t size = static_cast<size_t>(20 - n);
  std::memcpy(out, digits + n, size);
  return out + size;
}

}  // namespace

PairFields fieldsOfPair(int64_t pos, int64_t partner, int64_t len, int orientation, double identity,
                        int64_t partnerLen) {
  if (partnerLen < 0) partnerLen = len;
  PairFields fields{pos, partner, partnerLen > len ? partnerLen : len, orientation != 0 ? 1 : 0, -1, partnerLen - len};
  if (identity >= 0) {
    // The readers give identities in whole hundredths, at most 100.00.
    double scaled = identity * 100.0 + 0.5;
    fields.hundredths = scaled < 1e7 ? static_cast<int64_t>(scaled) : 9999999;
  }
  return fields;
}

size_t formatPair(char* out, int64_t pos, int64_t partner, int64_t len, int orientation, double identity,
                  int64_t partnerLen) {
  PairFields fields = fieldsOfPair(pos, partner, len, orientation, identity, partnerLen);
  int64_t difference = fields.difference;
  char* p = out;
  p = writeDigits(p, static_cast<uint64_t>(fields.pos));
  *p++ = '/';
  p = writeDigits(p, static_cast<uint64_t>(fields.partner));
  *p++ = '/';
  p = writeDigits(p, static_cast<uint64_t>(fields.len));
  *p++ = '/';
  *p++ = fields.orientation != 0 ? '1' : '0';
  if (fields.hundredths >= 0) {
    uint64_t hundredths = static_cast<uint64_t>(fields.hundredths);
    *p++ = '/';
    p = writeDigits(p, hundredths / 100);
    *p++ = '.';
    *p++ = static_cast<char>('0' + hundredths / 10 % 10);
    *p++ = static_cast<char>('0' + hundredths % 10);
  } else if (difference != 0) {
    *p++ = '/';
    *p++ = '.';  // reads as an unknown identity
  }
  if (difference != 0) {
    *p++ = '/';
    if (difference < 0) *p++ = '-';
    p = writeDigits(p, difference < 0 ? 0u - static_cast<uint64_t>(difference) : static_cast<uint64_t>(difference));
  }
  *p++ = '\n';
  return static_cast<size_t>(p - out);
}

void startTokenOutput(TokenOutput& out, PairSink sink) {
  out.sink = sink;
  out.buffer.assign(kTokenBatchBytes, '\0');
  out.used = 0;
}

void emitPair(TokenOutput& out, int64_t pos, int64_t partner, int64_t len, int orientation, double identity,
              int64_t partnerLen) {
  if (out.sink.takeFields != nullptr) {
    out.sink.takeFields(out.sink.context, fieldsOfPair(pos, partner, len, orientation, identity, partnerLen));
    return;
  }
  if (out.buffer.size() - out.used < kMaxTokenBytes) flushTokens(out);
  out.used += formatPair(out.buffer.data() + out.used, pos, partner, len, orientation, identity, partnerLen);
}

void flushTokens(TokenOutput& out) {
  if (out.used > 0) out.sink.take(out.sink.context, out.buffer.data(), out.used);
  out.used = 0;
}
