// Every option row writes back what it read: a command line in the writers' own form,
// values needing quotes included, parsed through the rows and written again is the same
// line, word for word, and every row of every table is met on the way.
#include <gtest/gtest.h>
#include <getopt.h>
#include <wordexp.h>

#include <string>
#include <vector>

#include "figure_options.h"
#include "option_row.h"
#include "pair_file_options.h"
#include "snapshot_options.h"
#include "view_options.h"

namespace {

// The words a POSIX shell makes of line (quotes removed, nothing run).
std::vector<std::string> shellWords(const std::string& line) {
  wordexp_t words{};
  std::vector<std::string> out{"test"};
  if (wordexp(line.c_str(), &words, WRDE_NOCMD | WRDE_UNDEF) != 0) return {};
  for (size_t i = 0; i < words.we_wordc; ++i) out.push_back(words.we_wordv[i]);
  wordfree(&words);
  return out;
}

// Reads line through the rows alone; the first refusal or stray word, else "".
template <typename Target>
std::string parseRows(const OptionRows<Target>& rows, const std::string& line, Target& target) {
  std::vector<std::string> words = shellWords(line);
  if (words.empty()) return "the shell could not read: " + line;
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  argv.push_back(nullptr);
  std::vector<option> table;
  addLongOptions(table, rows);
  table.push_back({nullptr, 0, nullptr, 0});
  optind = 0;
  opterr = 0;
  std::string error;
  for (int c; (c = getopt_long(static_cast<int>(words.size()), argv.data(), "+:", table.data(), nullptr)) != -1;) {
    const OptionRow<Target>* row = rows.find(c);
    if (row == nullptr) return "not an option of these rows: " + std::string(argv[optind - 1]);
    if (!row->take(target, optarg, error)) return error;
  }
  return optind < static_cast<int>(words.size()) ? "stray word " + words[static_cast<size_t>(optind)] : "";
}

template <typename Target>
void expectRoundTrips(const OptionRows<Target>& rows, const std::vector<std::string>& lines) {
  std::string everything;
  for (const std::string& line : lines) {
    Target target{};
    ASSERT_EQ(parseRows(rows, line, target), "") << line;
    std::string written;
    writeOptions(rows, target, written);
    EXPECT_EQ(written, " " + line);
    everything += written + " ";
  }
  for (const OptionRow<Target>& row : rows)
    EXPECT_NE(everything.find(std::string(" --") + row.name + " "), std::string::npos) << "no line tries --" << row.name;
}

TEST(OptionRows, EveryRowWritesBackWhatItRead) {
  expectRoundTrips(kViewOptionRows, {
      "--camera 123.456,-0.1,2,179.99998 --threshold 0.0299 --min-identity 97.55 --window-start -3000 "
      "--zoom-steps 4 --points --no-floor --hud --links --colour identity --pick 17 --cursor captured --height log",
      "--goto 5000 --min-length 300 --moves z1,x+37,z2,x-5,y+37,y-5 --colour strand --cursor free",
      "--goto 'chr 1:10-20' --region 'chr 1:1,000-2,000' --annotation 'my lanes.bed' --annotation 'it'\\''s $HOME.gff'",
      "--goto 23S_rRNA_3 --region 5-10 --layout dotplot",
      "--camera 1.5,-1,45,0,1500",
      "--camera -12.25,-3,60,0,0.004,30999.123456789",
  });
  expectRoundTrips(kPairFileOptionRows, {
      "--from tandem",
      "--from paf --chrom 'chr 1'",
      "--all-sequences --fai 'my genome.fa.fai' --preset asm20 --threads 3 --max-pairs 30000000",
      "--chrom chr7 --tiles 5000",
  });
  expectRoundTrips(kSnapshotOptionRows, {
      "--list 'my pairs.paf' --out 'a b.png' --size 640x480 --frames 3",
  });
  expectRoundTrips(kFigureOptionRows, {
      "--fit --perspective --floor --background white --max-len 500 --annotate --title 'A \"title\": it'\\''s `x`'",
      "--flat --title T",
  });
}

}  // namespace
