// An independent model of the scene for the tests: the fixed-function
// transformation, projection and lighting equations evaluated in double
// precision, and a ray cast through a pixel's centre against the two true
// spheres. Expected pixels come from here, never from a previous run.
#pragma once

#include <array>
#include <optional>

namespace scene_model {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};
Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(double s, Vec3 a);
double dot(Vec3 a, Vec3 b);
Vec3 normalised(Vec3 a);

// A 4 by 4 matrix in OpenGL's column-major order.
using Mat4 = std::array<double, 16>;
Mat4 identity();
Mat4 multiply(const Mat4& a, const Mat4& b);
Mat4 translation(Vec3 offset);
// glRotate's matrix for a turn of `degrees` about a unit axis.
Mat4 rotation(double degrees, Vec3 axis);
Vec3 transform_point(const Mat4& m, Vec3 p);
Vec3 transform_direction(const Mat4& m, Vec3 d);
// gluPerspective's matrix.
Mat4 perspective(double fov_degrees, double aspect, double near_plane, double far_plane);

// One object's placement: translate, then turn about y by angles.x, about x
// by angles.y and about z by angles.z.
Mat4 object_matrix(Vec3 position, Vec3 angles);

// A sphere as gluSphere builds it: its frame (object to eye space), radius,
// slices and stacks (one number for both) and material.
struct Sphere {
  Mat4 frame;
  double radius;
  int tessellation;
  Vec3 material;  // ambient and diffuse colour
  Vec3 centre() const { return {frame[12], frame[13], frame[14]}; }
};

struct Light {
  Vec3 direction;  // eye space, towards the light
  Vec3 ambient;
};

// The lit colour of a surface point with the given eye-space normal: the
// material times the global ambient (0.2 each) and every light's ambient,
// plus the diffuse term of each light that faces the normal; clamped to 1.
Vec3 lit_colour(Vec3 material, Vec3 normal, const std::array<Light, 3>& lights);
// The Gouraud-shaded colour where the ray meets the sphere's polygon mesh:
// vertices every 180 / n degrees from pole to pole and every 360 / n degrees
// round the axis, each lit as lit_colour says, the colour varying linearly
// across each (planar) facet. Where the facet's vertices differ in which
// lights face them or in which channels reach 1, the colour is not linear in
// the position and no value is given.
std::optional<Vec3> gouraud_colour(const Sphere& sphere, Vec3 eye_ray,
                                   const std::array<Light, 3>& lights);
// A colour component as an 8-bit framebuffer value.
int to_byte(double component);

struct Hit {
  int sphere;   // index into the scene's spheres
  Vec3 normal;  // eye space, unit
};

// The camera: viewport size, field of view, aspect 1.
struct View {
  int width;
  int height;
  double fov;
};

// The eye-space direction of the ray through a pixel's centre (window
// coordinates, y up).
Vec3 pixel_ray(const View& view, double x, double y);
// The nearest sphere that the ray hits, its radius grown by `margin` pixels
// (negative shrinks it), as seen at the sphere's distance.
std::optional<Hit> cast(const View& view, const std::array<Sphere, 2>& spheres, int x, int y,
                        double margin = 0);
// Window coordinates (x, y up) of an eye-space point.
std::array<double, 2> project(const View& view, Vec3 eye_point);

}  // namespace scene_model
