// Small helpers the checks share: waiting with the test command's time
// scale, and reading and pointing at the Lab's client area.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "lab_checks.h"

// The layers page's background at the client's top row.
constexpr uint32_t kBackgroundTopRow = 0x00FDFD;  // (0, 253, 253)

// How many times longer everything may take: the test command sets
// PIXWELL_TIMEOUT_SCALE where the Lab runs under an emulator.
double timeout_scale();
// Polls until the condition holds or the time (scaled) is up.
bool within(double seconds, const std::function<bool()>& condition);
ScreenArea client_area(const LabScreen& s, int x, int y, int width, int height);
uint32_t client_pixel(LabScreen& s, int x, int y);
void point_at(LabScreen& s, int x, int y);
// "RRGGBB"
std::string hex(uint32_t value);
