#include "load_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <unistd.h>

#include "record_table.h"
#include "tandem_loader.h"

std::string writeScratchFile(const std::string& name, const std::string& bytes) {
  // ctest runs test cases as parallel processes: each writes its own files.
  std::string path = testing::TempDir() + std::to_string(getpid()) + "_" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string loadCapturingSummary(const std::string& path) {
  resetTandemData();
  std::srand(1);  // the sequence an unseeded rand() gives
  testing::internal::CaptureStdout();
  loadTandemList(path.c_str(), 1);
  return testing::internal::GetCapturedStdout();
}

std::string loadBytes(const std::string& bytes) {
  return loadCapturingSummary(writeScratchFile("quelvar_load.txt", bytes));
}
