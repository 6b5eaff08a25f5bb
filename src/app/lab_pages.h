// The pages of Pixwell Lab: each shows one part of the library, is chosen
// with its function key or by name on the command line, and names its keys
// in a help line of its own.
#pragma once

#include <string>

#include "platform/win32.h"

enum class LabPage { Layers, Gallery, Bmp, Geometry, Words, Tools, Keys };

struct LabPageInfo {
  LabPage Page;
  const char* Name;      // as given to --page
  WPARAM Key;            // its function key
  const char* HelpLine;  // the keys it answers
  bool Built;            // false: the page says it is not built yet
};

constexpr int kLabPageCount = 7;
extern const LabPageInfo kLabPages[kLabPageCount];

const LabPageInfo& PageInfo(LabPage page);
// Null when no page has this name or this key.
const LabPageInfo* FindPageNamed(const std::string& name);
const LabPageInfo* FindPageForKey(WPARAM key);
// "layers, gallery, ...": the names in key order.
std::string PageNameList();

constexpr WPARAM kLabLoupeKey = VK_F1 + 7;  // F8, on every page

// The line on every page that names the page keys and marks the current one.
std::string PageBarLine(LabPage current);

// The window's side: the page shown now, its messages and its presentation.
extern LabPage CurrentLabPage;
// Whether the current page or the page keys take the message; the answer
// goes into result.
bool LabPageTakes(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
// Presents a page other than the layers page; false on the layers page,
// which the layer procedure presents.
bool PresentLabPage(HWND window, const std::string& status, const uint32_t* fps_history);
// The page bar naming the page keys, into the back buffer or onto the window.
void DrawPageBar(HDC dc);
// The loupe, when shown, onto the window over what was presented.
void DrawLabLoupe();
