// pixwell-frames --ticks N --out DIR   play N ticks, save each frame shown
// pixwell-frames --compare DIR1 DIR2   compare two such folders pixel by pixel
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "frame_compare.h"
#include "frame_player.h"

namespace {

constexpr char kUsage[] =
    "usage: pixwell-frames --ticks N --out DIR\n"
    "       pixwell-frames --compare DIR1 DIR2\n";

int usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

int run_player(int ticks, const std::string& directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  int saved = play_and_save_frames(ticks, directory);
  if (saved < 0) return 1;  // the player said why
  std::printf("%d frames written to %s\n", saved, directory.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--compare") == 0)
    return compare_frame_folders(argv[2], argv[3]) == 0 ? 0 : 1;
  if (argc == 5 && std::strcmp(argv[1], "--ticks") == 0 && std::strcmp(argv[3], "--out") == 0) {
    int ticks = std::atoi(argv[2]);
    if (ticks < 1) return usage();
    return run_player(ticks, argv[4]);
  }
  return usage();
}
