#include "platform/kernel32/kernel_objects.h"

#include <mutex>
#include <unordered_set>

namespace posix {
namespace {

struct ObjectTable {
  std::mutex lock;
  std::unordered_set<KernelObject*> live;
};

ObjectTable& table() {
  static ObjectTable instance;
  return instance;
}

}  // namespace

HANDLE register_object(KernelObject* object) {
  std::lock_guard<std::mutex> guard(table().lock);
  table().live.insert(object);
  return object;
}

KernelObject* find_object(HANDLE handle, ObjectKind kind) {
  std::lock_guard<std::mutex> guard(table().lock);
  auto* object = static_cast<KernelObject*>(handle);
  if (table().live.count(object) == 0 || object->kind != kind) return nullptr;
  return object;
}

bool close_object(HANDLE handle, ObjectKind kind) {
  KernelObject* object = nullptr;
  {
    std::lock_guard<std::mutex> guard(table().lock);
    auto found = table().live.find(static_cast<KernelObject*>(handle));
    if (found == table().live.end() || (*found)->kind != kind) return false;
    object = *found;
    table().live.erase(found);
  }
  delete object;
  return true;
}

std::string to_posix_path(const char* windows_path) {
  std::string path = windows_path ? windows_path : "";
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

}  // namespace posix
