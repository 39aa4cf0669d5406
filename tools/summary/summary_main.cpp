// quelvar-summary [--records] [FILE]: loads a tandem list exactly as the viewer does at
// start-up and prints the same summary; --records also lists every record after
// normalisation, one tab-separated line per slot.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "record_table.h"
#include "tandem_loader.h"

namespace {

// The viewer's floor takes this many rand() values before the loader draws any.
constexpr int kFloorRandomDraws = 1600;

void printRecords() {
  for (int32_t i = 1; i < recordTable.count; ++i) {
    const TandemRecord& r = recordTable.slots[i];
    std::printf("%d\t%d\t%d\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\n", i, r.pos, r.partner,
                double{r.len}, double{r.x}, double{r.y}, double{r.r}, double{r.g}, double{r.b});
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool records = false;
  const char* path = "date.txt";
  bool havePath = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--records") == 0) {
      records = true;
    } else if (std::strcmp(arg, "--") == 0 && i + 1 == argc - 1 && !havePath) {
      path = argv[++i];
      havePath = true;
    } else if (arg[0] == '-' && arg[1] != '\0') {
      std::fprintf(stderr, "quelvar-summary: unknown option %s\nusage: quelvar-summary [--records] [FILE]\n", arg);
      return 2;
    } else if (!havePath) {
      path = arg;
      havePath = true;
    } else {
      std::fprintf(stderr, "quelvar-summary: more than one file\nusage: quelvar-summary [--records] [FILE]\n");
      return 2;
    }
  }
  for (int i = 0; i < kFloorRandomDraws; ++i) std::rand();
  loadTandemList(path, 1);
  normalizeRecords();
  if (records) printRecords();
  return 0;
}
