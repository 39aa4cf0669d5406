// A self-alignment's hit of a sequence on itself that runs along the main diagonal: cut
// there, on constructed paths and on real chromosomes (E. coli MG1655 and H. pylori G27
// from Debian's ragout-examples, aligned by Debian's minimap2 as the in-process route
// aligns them), their parts checked against the cg:Z paths read here independently.
#include <algorithm>
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "paf_parts.h"
#include "tool_run.h"

namespace {

const char kImport[] = QUELVAR_IMPORT_BIN;

// One hit that starts 93 bases off the diagonal (a tandem array) and then runs along it
// for 7.9 kb; one with a part on each side of the diagonal; a tandem array offset by its
// period throughout; an overlapping hit without a path; a path that does not fit its line.
TEST(DiagonalCut, OnlyTheStretchesOnTheDiagonalAreCut) {
  std::string dir = makeScratchDir();
  writeWholeFile(dir + "/self.paf",
                 "s\t20000\t1000\t9169\t+\ts\t20000\t907\t9169\t8000\t8356\t0\tNM:i:356\tcg:Z:240M93D4710M94I94D3125M\n"
                 "s\t20000\t12000\t12630\t+\ts\t20000\t11950\t12600\t590\t680\t0\tcg:Z:100M50D200M30I300M\n"
                 "s\t20000\t15000\t15600\t+\ts\t20000\t15093\t15693\t590\t606\t0\tcg:Z:300M3I100M3D197M\n"
                 "s\t20000\t17000\t17500\t+\ts\t20000\t17050\t17550\t500\t500\t0\n"
                 "s\t20000\t18000\t18600\t+\ts\t20000\t18100\t18700\t600\t600\t0\tcg:Z:100M\n");
  ToolResult all = runTool({kImport, dir + "/self.paf"});
  ToolResult longer = runTool({kImport, "--min-length", "150", dir + "/self.paf"});
  removeTree(dir);
  ASSERT_EQ(all.exitCode, 0) << all.err;
  EXPECT_EQ(all.out,
            "1000/907/240/0/68.75\n"       // 165 of the 8,000 matches lie off the 7,835 bases on the diagonal
            "12000/11950/100/0/97.50\n"    // 390 matches over the two parts' 400 columns
            "12330/12300/300/0/97.50\n"
            "15000/15093/600/0/97.36\n"
            "17000/17050/500/0/100.00\n");
  EXPECT_NE(all.err.find("cut 2 diagonal stretches (a sequence aligned base for base on itself) from 2 alignments; "
                         "3 parts off the diagonal kept as pairs of their own\n"),
            std::string::npos)
      << all.err;
  EXPECT_NE(all.err.find("1 hit of a sequence on itself, with copies that overlap on one strand, carries no "
                         "alignment path: kept whole"),
            std::string::npos)
      << all.err;
  EXPECT_NE(all.err.find("self.paf:5: skipped, its cg:Z path does not lead from its starts to its ends"),
            std::string::npos)
      << all.err;
  EXPECT_EQ(longer.out, "1000/907/240/0/68.75\n12330/12300/300/0/97.50\n15000/15093/600/0/97.36\n17000/17050/500/0/100.00\n");
  EXPECT_NE(longer.err.find("kept as pairs of their own; 1 shorter than --min-length left out"), std::string::npos)
      << longer.err;
}

using Token = std::tuple<long long, long long, long long, int>;  // pos, partner, len, orientation

std::multiset<Token> tokensOf(const std::string& list) {
  std::multiset<Token> tokens;
  std::istringstream in(list);
  for (std::string line; std::getline(in, line);) {
    long long pos, partner, len;
    int orientation;
    char slash;
    std::istringstream fields(line);
    fields >> pos >> slash >> partner >> slash >> len >> slash >> orientation;
    tokens.emplace(pos, partner, len, orientation);
  }
  return tokens;
}

// Every pair the import keeps is a whole hit that never touches the diagonal, or one of the
// parts off it of a hit that does: none holds a stretch of the chromosome on itself. The
// hits that go missing are the mirrors (and the region on itself) the report counts.
void expectNoStretchOnItself(const std::string& gzip, const std::string& name, long long longestBefore) {
  if (findOnPath("minimap2").empty() || readWholeFile(gzip).empty())
    GTEST_SKIP() << "needs ragout-examples and minimap2 (scripts/deps.sh installs them)";
  std::string dir = makeScratchDir();
  ASSERT_EQ(runCommand("gzip -dc " + gzip + " > g.fa && minimap2 -c -X -t 2 g.fa g.fa > g.paf 2>/dev/null", dir).exitCode, 0);
  ToolResult imported = runTool({kImport, dir + "/g.paf"});
  std::vector<PafLine> lines = readPafLines(readWholeFile(dir + "/g.paf"));
  removeTree(dir);
  ASSERT_EQ(imported.exitCode, 0) << imported.err;

  std::multiset<Token> possible;
  long long runs = 0, cutHits = 0, parts = 0, onItself = 0;
  bool longestWasCut = false;
  for (const PafLine& line : lines) {
    ASSERT_EQ(line.query, name);
    if (!line.reverse && line.qStart == line.tStart && line.qEnd == line.tEnd) {
      ++onItself;
      continue;
    }
    int lineRuns = 0;
    std::vector<PafLine> offDiagonal = partsOffTheDiagonal(line, lineRuns);
    if (lineRuns == 0) {
      possible.emplace(line.qStart, line.tStart, std::max(line.qEnd - line.qStart, line.tEnd - line.tStart),
                       line.reverse ? 1 : 0);
      continue;
    }
    runs += lineRuns;
    ++cutHits;
    longestWasCut |= line.qEnd - line.qStart == longestBefore;
    for (const PafLine& part : offDiagonal) {
      possible.emplace(part.qStart, part.tStart, std::max(part.qEnd - part.qStart, part.tEnd - part.tStart), 0);
      ++parts;
    }
  }
  EXPECT_TRUE(longestWasCut) << name << "'s longest hit before, " << longestBefore << " bp, lies along the diagonal";
  ASSERT_GT(cutHits, 0);
  std::ostringstream said;
  said << "cut " << runs << " diagonal stretches (a sequence aligned base for base on itself) from " << cutHits
       << " alignments; " << parts << " parts off the diagonal kept as pairs of their own";
  EXPECT_NE(imported.err.find(said.str()), std::string::npos) << imported.err;

  std::multiset<Token> kept = tokensOf(imported.out);
  for (const Token& token : kept) {
    auto found = possible.find(token);
    ASSERT_NE(found, possible.end()) << "kept but neither a hit off the diagonal nor a part of one: "
                                     << std::get<0>(token) << "/" << std::get<1>(token) << "/" << std::get<2>(token);
    possible.erase(found);
  }
  // What is left are the mirrors merged, as lines and as parts.
  long long mirrors = 0, partMirrors = 0;
  size_t at = imported.err.find(" mirrors merged (");
  size_t from = imported.err.rfind(' ', at - 1);
  if (at != std::string::npos) mirrors = std::stoll(imported.err.substr(from + 1, at - from - 1));
  at = imported.err.find(" of them merged as mirrors");
  from = imported.err.rfind(' ', at - 1);
  if (at != std::string::npos) partMirrors = std::stoll(imported.err.substr(from + 1, at - from - 1));
  EXPECT_EQ(static_cast<long long>(possible.size()), mirrors + partMirrors) << imported.err;
  EXPECT_NE(imported.err.find(std::to_string(onItself) + " a region on itself"), std::string::npos) << imported.err;
}

TEST(DiagonalCut, RealChromosomesKeepNoStretchOnItself) {
  // The longest hits before: an 8,169 bp one of MG1655 and a 7,928 bp one of G27.
  expectNoStretchOnItself("/usr/share/doc/ragout/examples/E.Coli/references/MG1655-K12.fasta.gz", "K-12-MG1655", 8169);
  expectNoStretchOnItself("/usr/share/doc/ragout/examples/H.Pylori/references/G27.fasta.gz",
                          "gi|208433976|ref|NC_011333.1|", 7928);
}

}  // namespace
