#include "pair_spool.h"

#include <cerrno>

void openPairSpool(PairSpool& spool) { spool = PairSpool{nullptr, 0, 0}; }

void spoolPair(PairSpool& spool, const SpooledPair& pair) {
  if (spool.error != 0) return;
  if (spool.file == nullptr) {
    spool.file = std::tmpfile();  // removed by the system when closed, or when the run dies
    if (spool.file == nullptr) {
      spool.error = errno != 0 ? errno : EIO;
      return;
    }
  }
  if (std::fwrite(&pair, sizeof pair, 1, spool.file) != 1) {
    spool.error = errno != 0 ? errno : EIO;
    return;
  }
  ++spool.count;
}

bool rewindPairSpool(PairSpool& spool) {
  if (spool.error != 0) return false;
  if (spool.file == nullptr) return true;
  if (std::fflush(spool.file) != 0 || std::fseek(spool.file, 0, SEEK_SET) != 0) {
    spool.error = errno != 0 ? errno : EIO;
    return false;
  }
  return true;
}

bool nextSpooledPair(PairSpool& spool, SpooledPair& pair) {
  if (spool.file == nullptr || spool.error != 0) return false;
  if (std::fread(&pair, sizeof pair, 1, spool.file) == 1) return true;
  if (std::ferror(spool.file)) spool.error = errno != 0 ? errno : EIO;
  return false;
}

void closePairSpool(PairSpool& spool) {
  if (spool.file != nullptr) std::fclose(spool.file);
  spool.file = nullptr;
}
