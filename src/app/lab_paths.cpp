#include "app/lab_paths.h"

#include <vector>

namespace {

bool rooted_at_lone_backslash(const std::string& path) {
  return path.size() >= 1 && path[0] == '\\' && (path.size() == 1 || path[1] != '\\');
}

bool rooted_at_drive(const std::string& path) {
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

// The steps below the root; a drive is the first step, which ".." keeps.
std::vector<std::string> steps_of(const std::string& path, size_t kept) {
  std::vector<std::string> steps;
  std::string step;
  for (char c : path + '\\') {
    if (c != '\\') {
      step += c;
      continue;
    }
    if (step == "..") {
      if (steps.size() > kept) steps.pop_back();  // never above the root
    } else if (!step.empty() && step != ".") {
      steps.push_back(step);
    }
    step.clear();
  }
  return steps;
}

}  // namespace

std::string DisplayPath(const std::string& system_path) {
  bool slash_host = rooted_at_lone_backslash(system_path);
  if (!slash_host && !rooted_at_drive(system_path)) return system_path;
  char separator = slash_host ? '/' : '\\';
  std::vector<std::string> steps = steps_of(system_path, slash_host ? 0 : 1);
  std::string shown = slash_host ? "" : steps.empty() ? "" : steps.front();
  for (size_t i = slash_host ? 0 : 1; i < steps.size(); ++i) shown += separator + steps[i];
  if (shown.empty() || (!slash_host && steps.size() == 1)) shown += separator;
  return shown;
}
