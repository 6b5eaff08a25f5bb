// pixwell-scene --frames DIR            save the frames of a fixed key sequence
// pixwell-scene --show KEYS MS [PNG]   show the scene after KEYS for MS ms,
//                                      optionally saving the frame it shows
// pixwell-scene --fps WIDTH HEIGHT N   time N frames of RenderScene, beside
//                                      N frames that only clear and swap
// pixwell-scene --compare DIR1 DIR2 [MAX]
//                                      compare two folders of frames; fails
//                                      where a channel differs by more than
//                                      MAX (default 0)
// KEYS are camera keys (A, D, W, S, X, Z) or R for one more frame.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "display/graphics_startup.h"
#include "frame_difference.h"
#include "scene3d/scene.h"
#include "scene_driver.h"

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 480;
// The initial frame, 'D' three times, 'Z' twice with a frame after each,
// 'W' and three frames, 'X' and a frame, 'A' once.
constexpr char kSequence[] = "RDDDZRZRWRRRXRA";

int usage() {
  std::fputs(
      "usage: pixwell-scene --frames DIR | --show KEYS MS [PNG] | --fps WIDTH HEIGHT N |\n"
      "                     --compare DIR1 DIR2 [MAX]\n",
      stderr);
  return 2;
}

// The scene's window for the life of one command, closed on every return.
class SceneWindow {
 public:
  SceneWindow(int width, int height) : window_(open_scene_window(width, height)) {
    if (window_ == nullptr) std::fputs("pixwell-scene: no OpenGL context here\n", stderr);
  }
  ~SceneWindow() {
    if (window_ != nullptr) close_scene_window(window_);
  }
  SceneWindow(const SceneWindow&) = delete;
  SceneWindow& operator=(const SceneWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};

// The frames of kSequence as scene_NN.png, or -1 when a file could not be
// written; the window is closed before the count is returned.
int write_sequence(const std::string& directory) {
  SceneWindow scene(kWidth, kHeight);
  HWND window = scene.get();
  if (window == nullptr) return -1;
  std::filesystem::create_directories(directory);
  int saved = 0;
  for (const char* action = kSequence; *action; ++action) {
    if (!apply_scene_action(window, *action)) continue;
    char name[32];
    std::snprintf(name, sizeof(name), "/scene_%02d.png", saved++);
    if (!write_png(read_scene_frame(kWidth, kHeight), directory + name)) return -1;
  }
  return saved;
}

int save_frames(const std::string& directory) {
  int saved = write_sequence(directory);
  if (saved < 0) return 1;
  std::printf("%d frames written to %s\n", saved, directory.c_str());
  return 0;
}

int show(const char* keys, int milliseconds, const char* png) {
  SceneWindow scene(kWidth, kHeight);
  HWND window = scene.get();
  if (window == nullptr) return 1;
  apply_scene_action(window, 'R');
  for (const char* key = keys; *key; ++key) apply_scene_action(window, *key);
  if (png != nullptr && !write_png(read_scene_frame(kWidth, kHeight), png)) return 1;
  hold_scene_window(milliseconds);
  return 0;
}

// Seconds for `frames` calls of draw, after one untimed call; glFinish after
// each makes sure that every frame is rendered, not just queued.
template <typename Draw>
double time_frames(int frames, Draw draw) {
  draw();
  glFinish();
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < frames; ++i) {
    draw();
    glFinish();
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int measure(int width, int height, int frames) {
  SceneWindow window(width, height);
  if (window.get() == nullptr) return 1;
  double scene = time_frames(frames, RenderScene);
  // The reference: a frame that only clears and swaps.
  double empty = time_frames(frames, [] {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SwapBuffers(WindowDC);
  });
  std::printf("%dx%d: RenderScene %.1f frames/s (%.2f ms); clear and swap only %.1f frames/s\n",
              width, height, frames / scene, 1000 * scene / frames, frames / empty);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--frames") == 0) return save_frames(argv[2]);
  if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--show") == 0)
    return show(argv[2], std::atoi(argv[3]), argc == 5 ? argv[4] : nullptr);
  if (argc == 5 && std::strcmp(argv[1], "--fps") == 0) {
    int width = std::atoi(argv[2]), height = std::atoi(argv[3]), frames = std::atoi(argv[4]);
    if (width < 1 || height < 1 || frames < 1) return usage();
    return measure(width, height, frames);
  }
  if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--compare") == 0)
    return compare_scene_frames(argv[2], argv[3], argc == 5 ? std::atoi(argv[4]) : 0) == 0 ? 0 : 1;
  return usage();
}
