#include "pair_spool.h"

#include <cerrno>

namespace {

constexpr size_t kBatchPairs = 4096;

void writeBatch(PairSpool& spool) {
  if (spool.batch.empty() || spool.error != 0) return;
  if (spool.file == nullptr) {
    spool.file = std::tmpfile();  // removed by the system when closed, or when the run dies
    if (spool.file == nullptr) spool.error = errno != 0 ? errno : EIO;
  }
  if (spool.file != nullptr &&
      std::fwrite(spool.batch.data(), sizeof(SpooledPair), spool.batch.size(), spool.file) != spool.batch.size())
    spool.error = errno != 0 ? errno : EIO;
  spool.batch.clear();
}

}  // namespace

void openPairSpool(PairSpool& spool) {
  spool.file = nullptr;
  spool.count = 0;
  spool.error = 0;
  spool.batch.clear();
  spool.handedOut = false;
  spool.batch.reserve(kBatchPairs);
}

void spoolPair(PairSpool& spool, const SpooledPair& pair) {
  spool.batch.push_back(pair);
  ++spool.count;
  if (spool.batch.size() == kBatchPairs) writeBatch(spool);
}

bool rewindPairSpool(PairSpool& spool) {
  // A spool that never reached the file is read back from its batch.
  if (spool.file != nullptr) writeBatch(spool);
  spool.handedOut = false;
  if (spool.error != 0) return false;
  if (spool.file == nullptr) return true;
  if (std::fflush(spool.file) != 0 || std::fseek(spool.file, 0, SEEK_SET) != 0) {
    spool.error = errno != 0 ? errno : EIO;
    return false;
  }
  return true;
}

const std::vector<SpooledPair>& nextSpooledPairs(PairSpool& spool) {
  if (spool.file == nullptr) {
    // The pairs that never reached a file are handed out once.
    if (spool.handedOut) spool.batch.clear();
    spool.handedOut = true;
    return spool.batch;
  }
  spool.batch.resize(kBatchPairs);
  size_t read = spool.error != 0 ? 0 : std::fread(spool.batch.data(), sizeof(SpooledPair), kBatchPairs, spool.file);
  if (read < kBatchPairs && std::ferror(spool.file)) spool.error = errno != 0 ? errno : EIO;
  spool.batch.resize(read);
  return spool.batch;
}

void closePairSpool(PairSpool& spool) {
  if (spool.file != nullptr) std::fclose(spool.file);
  spool.file = nullptr;
  spool.batch = std::vector<SpooledPair>();
}
