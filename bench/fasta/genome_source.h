// Genomes for the self-alignment benchmark, from Debian's ragout-examples: one real
// chromosome, and a larger genome made by concatenating its real reference genomes.
#pragma once

#include <string>

// One H. pylori chromosome (1.66 Mb), gzip as shipped.
extern const char* const kBenchChromosome;

// Writes a plain FASTA of at least megabytes million bases, the reference genomes one after
// the other (again, with "copyN_" before the names, when more are wanted than they hold).
// bases says how many it holds. False with error set when they cannot be read or the file not written.
bool writeConcatenatedGenome(const std::string& path, long long megabytes, long long& bases, std::string& error);
