#include "scene3d/scene_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace scene_model {

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 normalised(Vec3 a) { return (1.0 / std::sqrt(dot(a, a))) * a; }

Mat4 identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

Mat4 multiply(const Mat4& a, const Mat4& b) {
  Mat4 product{};
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row)
      for (int k = 0; k < 4; ++k) product[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
  return product;
}

Mat4 translation(Vec3 offset) {
  Mat4 m = identity();
  m[12] = offset.x;
  m[13] = offset.y;
  m[14] = offset.z;
  return m;
}

Mat4 rotation(double degrees, Vec3 axis) {
  double radians = degrees * std::numbers::pi / 180.0;
  double c = std::cos(radians), s = std::sin(radians), t = 1 - c;
  double x = axis.x, y = axis.y, z = axis.z;
  return {t * x * x + c,
          t * x * y + s * z,
          t * x * z - s * y,
          0,
          t * x * y - s * z,
          t * y * y + c,
          t * y * z + s * x,
          0,
          t * x * z + s * y,
          t * y * z - s * x,
          t * z * z + c,
          0,
          0,
          0,
          0,
          1};
}

Vec3 transform_point(const Mat4& m, Vec3 p) {
  return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
          m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
          m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

Vec3 transform_direction(const Mat4& m, Vec3 d) {
  return {m[0] * d.x + m[4] * d.y + m[8] * d.z, m[1] * d.x + m[5] * d.y + m[9] * d.z,
          m[2] * d.x + m[6] * d.y + m[10] * d.z};
}

Mat4 perspective(double fov_degrees, double aspect, double near_plane, double far_plane) {
  double f = 1.0 / std::tan(fov_degrees * std::numbers::pi / 360.0);
  Mat4 m{};
  m[0] = f / aspect;
  m[5] = f;
  m[10] = (far_plane + near_plane) / (near_plane - far_plane);
  m[11] = -1;
  m[14] = 2 * far_plane * near_plane / (near_plane - far_plane);
  return m;
}

Mat4 object_matrix(Vec3 position, Vec3 angles) {
  Mat4 m = translation(position);
  m = multiply(m, rotation(angles.x, {0, 1, 0}));
  m = multiply(m, rotation(angles.y, {1, 0, 0}));
  return multiply(m, rotation(angles.z, {0, 0, 1}));
}

namespace {

double focal(const View& view) { return 1.0 / std::tan(view.fov * std::numbers::pi / 360.0); }

// The eye-space size of one pixel (the taller of its two sides) at a depth.
double pixel_size_at(const View& view, double depth) {
  return 2.0 * depth / (focal(view) * std::min(view.width, view.height));
}

// The ray parameter of the nearer intersection with a sphere, if any.
std::optional<double> intersect(Vec3 ray, Vec3 centre, double radius) {
  double a = dot(ray, ray), b = dot(ray, centre), c = dot(centre, centre) - radius * radius;
  double discriminant = b * b - a * c;
  if (discriminant < 0 || radius <= 0) return std::nullopt;
  return (b - std::sqrt(discriminant)) / a;
}

}  // namespace

Vec3 lit_colour(Vec3 material, Vec3 normal, const std::array<Light, 3>& lights) {
  Vec3 ambient{0.2, 0.2, 0.2};
  double diffuse = 0;
  for (const Light& light : lights) {
    ambient = ambient + light.ambient;
    diffuse += std::max(0.0, dot(normal, normalised(light.direction)));
  }
  auto channel = [&](double m, double a) { return std::min(1.0, m * a + m * diffuse); };
  return {channel(material.x, ambient.x), channel(material.y, ambient.y),
          channel(material.z, ambient.z)};
}

namespace {

Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The frame's rotation undone: eye-space directions into the object's.
Vec3 to_object(const Mat4& frame, Vec3 d) {
  return {frame[0] * d.x + frame[1] * d.y + frame[2] * d.z,
          frame[4] * d.x + frame[5] * d.y + frame[6] * d.z,
          frame[8] * d.x + frame[9] * d.y + frame[10] * d.z};
}

Vec3 mesh_vertex(double radius, int n, int stack, int slice) {
  double polar = stack * std::numbers::pi / n, azimuth = slice * 2 * std::numbers::pi / n;
  return radius * Vec3{std::sin(polar) * std::cos(azimuth), std::sin(polar) * std::sin(azimuth),
                       std::cos(polar)};
}

// What decides the shape of a vertex's colour: the lights facing it and the
// channels that reach 1.
struct VertexShading {
  std::array<bool, 3> facing;
  std::array<bool, 3> saturated;
  bool operator==(const VertexShading&) const = default;
};

VertexShading shading_at(Vec3 material, Vec3 normal, const std::array<Vec3, 3>& directions,
                         Vec3 ambient) {
  VertexShading shading{};
  double diffuse = 0;
  for (int i = 0; i < 3; ++i) {
    double facing = dot(normal, directions[i]);
    shading.facing[i] = facing > 0;
    diffuse += std::max(0.0, facing);
  }
  const double m[3] = {material.x, material.y, material.z};
  const double a[3] = {ambient.x, ambient.y, ambient.z};
  for (int c = 0; c < 3; ++c) shading.saturated[c] = m[c] * (a[c] + diffuse) >= 1.0;
  return shading;
}

}  // namespace

namespace {

// Where the ray meets the mesh: the facet's corners (two coincide at a
// pole) and the point on the facet's plane, in object space.
struct FacetHit {
  std::array<Vec3, 4> corners;
  Vec3 point;
};

std::optional<FacetHit> hit_facet(const Sphere& sphere, Vec3 eye_ray) {
  const double r = sphere.radius;
  const int n = sphere.tessellation;
  Vec3 origin = -1.0 * to_object(sphere.frame, sphere.centre());
  Vec3 ray = to_object(sphere.frame, eye_ray);
  std::optional<double> t = intersect(ray, -1.0 * origin, r);
  if (!t) return std::nullopt;
  Vec3 q = origin + *t * ray;
  double polar = std::acos(std::clamp(q.z / r, -1.0, 1.0));
  double azimuth = std::atan2(q.y, q.x);
  if (azimuth < 0) azimuth += 2 * std::numbers::pi;
  int stack = std::min(n - 1, static_cast<int>(polar / (std::numbers::pi / n)));
  int slice = static_cast<int>(azimuth / (2 * std::numbers::pi / n)) % n;
  FacetHit hit{{mesh_vertex(r, n, stack, slice), mesh_vertex(r, n, stack, slice + 1),
                mesh_vertex(r, n, stack + 1, slice + 1), mesh_vertex(r, n, stack + 1, slice)},
               {}};
  // Three distinct corners span the facet's plane.
  Vec3 a = hit.corners[0], b = hit.corners[stack == 0 ? 3 : 1], c = hit.corners[2];
  Vec3 plane = cross(b - a, c - a);
  hit.point = origin + (dot(plane, a - origin) / dot(plane, ray)) * ray;
  return hit;
}

}  // namespace

std::optional<Vec3> gouraud_colour(const Sphere& sphere, Vec3 eye_ray,
                                   const std::array<Light, 3>& lights) {
  std::optional<FacetHit> hit = hit_facet(sphere, eye_ray);
  if (!hit) return std::nullopt;
  const double r = sphere.radius;
  std::array<Vec3, 3> directions{};
  Vec3 ambient{0.2, 0.2, 0.2};
  for (int i = 0; i < 3; ++i) {
    directions[i] = to_object(sphere.frame, normalised(lights[i].direction));
    ambient = ambient + lights[i].ambient;
  }
  VertexShading first = shading_at(sphere.material, (1 / r) * hit->corners[0], directions, ambient);
  for (const Vec3& corner : hit->corners)
    if (!(shading_at(sphere.material, (1 / r) * corner, directions, ambient) == first))
      return std::nullopt;
  // Each vertex normal is the vertex over the radius, so the normal blended
  // across the facet is the facet point over the radius.
  double diffuse = 0;
  for (int i = 0; i < 3; ++i)
    if (first.facing[i]) diffuse += dot((1 / r) * hit->point, directions[i]);
  auto channel = [&](int c, double m, double amb) {
    return first.saturated[c] ? 1.0 : m * (amb + diffuse);
  };
  return Vec3{channel(0, sphere.material.x, ambient.x), channel(1, sphere.material.y, ambient.y),
              channel(2, sphere.material.z, ambient.z)};
}

int to_byte(double component) { return static_cast<int>(std::lround(component * 255.0)); }

Vec3 pixel_ray(const View& view, double x, double y) {
  double f = focal(view);
  double ndc_x = 2.0 * x / view.width - 1.0, ndc_y = 2.0 * y / view.height - 1.0;
  return {ndc_x / f, ndc_y / f, -1.0};  // aspect 1
}

std::optional<Hit> cast(const View& view, const std::array<Sphere, 2>& spheres, int x, int y,
                        double margin) {
  Vec3 ray = pixel_ray(view, x + 0.5, y + 0.5);
  std::optional<Hit> nearest;
  double nearest_t = 1e300;
  for (int i = 0; i < 2; ++i) {
    const Sphere& sphere = spheres[i];
    double grown = sphere.radius + margin * pixel_size_at(view, -sphere.centre().z);
    std::optional<double> t = intersect(ray, sphere.centre(), grown);
    if (!t || *t >= nearest_t) continue;
    nearest_t = *t;
    nearest = Hit{i, normalised(*t * ray - sphere.centre())};
  }
  return nearest;
}

std::array<double, 2> project(const View& view, Vec3 p) {
  double f = focal(view);
  double ndc_x = f * p.x / -p.z, ndc_y = f * p.y / -p.z;
  return {(ndc_x + 1) * view.width / 2.0, (ndc_y + 1) * view.height / 2.0};
}

}  // namespace scene_model
