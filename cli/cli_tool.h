// The one command-line idiom every Quelvar program shares: the program's name in every
// message, --help on standard output, --version, exit codes 0 / 1 / 2, strict numbers, and
// an honest close of standard output.
#pragma once

#include <cstdint>
#include <initializer_list>

enum ExitCode : int {
  kExitOk = 0,
  kExitFailed = 1,     // an input could not be read, or an output not written
  kExitBadUsage = 2,   // bad arguments
  kCliGoOn = -1,       // an option parser's "nothing to stop for": run the program
};

// Names the program for every later message, and makes sure descriptors 0, 1 and 2 are
// open (1 and 2 on /dev/null if they were not, 0 on something that cannot be read) so that
// no file opened later can take their place.
void startCli(const char* toolName);
const char* cliToolName();

// Whether descriptor 0, 1 or 2 was closed when the program started: a closed standard
// input is an unreadable input, a closed standard output a failed write.
bool cliStreamWasClosed(int fd);

// "<tool>: <message>" on standard error.
void cliError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A bad argument: the message, a hint to --help, and kExitBadUsage to return.
int cliUsageError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// getopt_long's '?' (unknown option) or ':' (missing value; the option string starts with
// ':') as a bad-usage message; returns kExitBadUsage.
int cliBadOption(int getoptResult, char* const* argv);

// Prints the usage text on standard output; returns the exit code (1 if it could not be
// written).
int cliPrintHelp(const char* usage);
// The same with each "%s" of usage replaced, in order, by the next of parts: help texts made
// of the pieces the programs share.
int cliPrintHelp(const char* usage, std::initializer_list<const char*> parts);
// Prints "<tool> <version>".
int cliPrintVersion();

// Flushes standard output; false when it, or an earlier write, failed. The first failure's
// reason is kept for cliCloseStdout to give, since errno will have moved on by then.
bool cliFlushStdout();

// Flushes and closes standard output; on failure says so and returns false.
bool cliCloseStdout();

// Whole-text numbers in [low, high]; false for anything else (trailing text, overflow,
// "1e30" where an integer is wanted, not-a-number).
bool parseCliInteger(const char* text, int64_t low, int64_t high, int64_t& value);
bool parseCliNumber(const char* text, double low, double high, double& value);
