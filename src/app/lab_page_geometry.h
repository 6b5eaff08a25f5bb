// The geometry page: a wire box and a point polyline turned by keys or by
// dragging, drawn through the point list's projection and lines, beside the
// library's own unturned DrawWireBox; angles in tenths of a degree.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

extern const char kGeometryHelpLine[];

struct GeometryView {
  int32_t Yaw = 300;       // tenths of a degree about the vertical axis, 0..3599
  int32_t Pitch = 200;     // about the horizontal axis
  int32_t Distance = 900;  // of the box's centre from the eye
};

// An angle brought into 0..3599.
int32_t WrapTenths(int32_t tenths);
// "yaw 30.0°, pitch 2.5°"-style text of the view's angles.
std::string GeometryAngles(const GeometryView& view);
bool GeometryKey(WPARAM key);
// A move with the left button held turns the view by the pointer's travel.
void GeometryPointer(WPARAM buttons, POINT pointer);
void PresentGeometry(const std::string& status);
