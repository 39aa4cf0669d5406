#include "viewer_command_line.h"

#include <getopt.h>

#include <cstring>
#include <string>
#include <vector>

#include "annotation_check.h"
#include "cli_tool.h"
#include "fasta_pairs.h"
#include "file_kinds.h"
#include "pair_file_options.h"

namespace {

const char kUsage[] =
    "Usage: quelvar [OPTIONS] [FILE]\n"
    "Opens the 3D viewer of tandem pairs on FILE (default date.txt in the working folder)\n"
    "and prints the load summary on standard output. FILE is a tandem list or any pair file\n"
    "quelvar-import reads, whose pairs load as if imported first; its skipped lines are\n"
    "reported on standard error.\n"
    "Pair formats: %s.\n"
    "A genome FASTA (plain or gzip) is aligned against itself in process first, as\n"
    "minimap2 -c -X genome.fa genome.fa does, while the window shows how far it has come.\n"
    "\n"
    "%s"
    "View (the same options as quelvar-snapshot's):\n"
    "%s"
    "      --mouse-look          start with the cursor captured for mouse look, as the viewer\n"
    "                            started without arguments does (otherwise it starts free)\n"
    "  -h, --help                show this help and exit\n"
    "  -V, --version             show the version and exit\n"
    "\n"
    "Keys: W/S fly forward/back, A/D strafe, mouse looks around while the cursor is\n"
    "captured, Q or Escape frees or captures the cursor, keypad -/+ (or - and = on the main\n"
    "row) raise/lower the length threshold, L lines or points, N compresses the axis by 0.9,\n"
    "M floor on/off, Enter window mode, arrows slide or jump the window (or the data beyond\n"
    "position 2,000,000), Space stops every slide.\n"
    "H heads-up display on/off (file, threshold in bases, position, axis ruler, the picked\n"
    "pair highlighted), K links joining the two bars of every pair, C bar colours (as drawn,\n"
    "by strand, by identity), R back to the start view (camera, threshold, zoom, slides,\n"
    "window), P saves the frame as quelvar-NNN.png (one a press) and prints the\n"
    "quelvar-snapshot command that draws it again.\n"
    "G opens a go-to prompt in the HUD: a position, NAME, NAME:POS or NAME:START-END, Enter\n"
    "goes there, Escape closes it. . and , step to the next and previous shown pair, longest\n"
    "first: the camera looks at it, it is picked and printed. Page Up and Page Down double\n"
    "and halve the length threshold. F shows or hides the annotation lanes.\n"
    "With a FILE or any option the camera flies: E and X (or the wheel) rise and descend,\n"
    "W/S/A/D move in proportion to the height, O frames every shown pair from above.\n"
    "Picking: with the cursor free the bar under the pointer is picked, in mouse-look the bar\n"
    "at the centre; a left click prints the nearest bar within 8 pixels as one line:\n"
    "  pair<TAB>position<TAB>partner<TAB>length<TAB>strand (0, 1 inverted)[<TAB>identity]\n"
    "and, when the pairs lie on named sequences, the identity (. when unknown) and each\n"
    "end's sequence and 1-based position there: <TAB>NAME<TAB>POS<TAB>NAME<TAB>POS\n"
    "\n"
    "Exit status: 0 when the window was closed, 1 when FILE cannot be read, no window\n"
    "could be had or standard output could not be written, 2 for bad arguments (also\n"
    "--zoom-steps and --moves asking for more work than the loaded bars allow).\n";

int printUsage() {
  std::string pairFormats = kindList(FileFamily::Pairs, &FileKind::help, " or ");
  return cliPrintHelp(kUsage, {pairFormats.c_str(), pairFileOptionsHelp().c_str(), viewOptionsHelp().c_str()});
}

// The viewer's own options, then the rows of the load and view options.
std::vector<option> longOptions() {
  std::vector<option> table = {
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'V'},
      {"mouse-look", no_argument, nullptr, 'm'},
  };
  addLongOptions(table, kPairFileOptionRows);
  addLongOptions(table, kViewOptionRows);
  table.push_back({nullptr, 0, nullptr, 0});
  return table;
}

// Every --annotation file is one, said before any window opens.
int checkAnnotationFiles(const ViewOptions& view) {
  for (const std::string& path : view.annotations) {
    std::string why;
    if (!checkAnnotationFile(path.c_str(), why)) {
      cliError("%s", why.c_str());
      return kExitFailed;
    }
  }
  return kCliGoOn;
}

}  // namespace

int readViewerCommandLine(int argc, char** argv, ViewerOptions& options) {
  if (argc <= 1) return kCliGoOn;  // the plain start touches nothing
  options.anyArgument = true;
  startCli("quelvar");
  const std::vector<option> table = longOptions();
  opterr = 0;
  bool mouseLook = false;
  for (int c; (c = getopt_long(argc, argv, ":hV", table.data(), nullptr)) != -1;) {
    switch (c) {
      case 'm': mouseLook = true; break;
      case 'h': return printUsage();
      case 'V': return cliPrintVersion();
      default: {
        std::string error;
        if (isViewOption(c)) {
          if (!takeViewOption(c, optarg, options.view, error)) return cliUsageError("%s", error.c_str());
          break;
        }
        int stop = isPairFileOption(c) ? takePairFileOption(c, optarg, options.pairs) : cliBadOption(c, argv);
        if (stop != kCliGoOn) return stop;
      }
    }
  }
  if (argc - optind > 1) return cliUsageError("one file at a time; unexpected argument '%s'", argv[optind + 1]);
  int stop = checkPairFileOptions(options.pairs);
  if (stop != kCliGoOn) return stop;
  std::string error;
  if (!checkViewOptions(options.view, error)) return cliUsageError("%s", error.c_str());
  // Started with anything to say, the view is the start camera's whatever the pointer does.
  if (mouseLook && options.view.cursorGiven && options.view.view.input.cursorFree != 0)
    return cliUsageError("--mouse-look and --cursor free exclude each other");
  if (!options.view.cursorGiven) options.view.view.input.cursorFree = mouseLook ? 0 : 1;
  if (optind < argc) options.file = argv[optind];
  if (options.file == nullptr) {
    // The options read a file; without one they say nothing.
    if (pairFileOptionsGiven(options.pairs))
      return cliUsageError("--from, --chrom, --all-sequences, --fai, --max-pairs, --preset and --threads go with a FILE");
    return checkAnnotationFiles(options.view);
  }
  // Said before any window opens; the reading itself keeps its place in the start-up.
  stop = checkNamedFile(options.file, options.pairs);
  return stop == kCliGoOn ? checkAnnotationFiles(options.view) : stop;
}
