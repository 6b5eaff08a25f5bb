// The OpenGL scene: two lit spheres, one carried round the other, under three
// coloured directional lights and a narrow perspective, drawn through the
// rendering context that graphics start-up made current on the window's DC.
// The keyboard changes the first sphere's spin rates and the field of view.
#pragma once

#include <cstdint>

#include "platform/opengl.h"

// Projection: field of view (degrees, changed by the camera keys), the fixed
// aspect ratio and the near and far planes.
extern GLdouble FieldOfView;
extern GLdouble SceneAspect;
extern GLdouble NearPlane;
extern GLdouble FarPlane;

// Object 1 is sphere 1; objects 2 and 3 share a position and the angles of
// object 2. Vectors hold x, y, z; angles and steps are degrees, the steps
// added once a frame (x about the y axis, y about the x axis, z about z).
extern GLfloat Object1Position[3];
extern GLfloat Object1Step[3];
extern GLfloat Object1Angles[3];
extern GLfloat Object1Material[4];
extern GLdouble Object1Radius;
extern int32_t Object1Tessellation;
extern GLfloat Object2Position[3];
extern GLfloat Object2Step[3];
extern GLfloat Object2Angles[3];
extern GLfloat Object2Material[4];
extern GLdouble Object2Radius;
extern int32_t Object2Tessellation;
extern GLfloat Object3Step[3];
extern GLUquadric* Sphere1Quadric;
extern GLUquadric* Sphere2Quadric;

// Light data; the fourth coordinate 0 makes every light directional.
extern GLfloat Light0Position[4];
extern GLfloat Light1Position[4];
extern GLfloat Light2Position[4];
extern GLfloat Light0Ambient[4];
extern GLfloat Light1Ambient[4];
extern GLfloat Light2Ambient[4];
extern GLfloat LightDiffuse[4];
extern GLfloat LightSpecular[4];
extern GLfloat LightSpotCutoff;
extern GLfloat LightSpotExponent;
extern GLfloat LightSpotDirection[3];
extern GLfloat LightAttenuation;

// Display lists: the two spheres, and list 3 that RenderScene calls but
// InitScene does not build.
constexpr GLuint kSphere1List = 1;
constexpr GLuint kSphere2List = 2;
constexpr GLuint kObject3List = 3;

void InitScene();
void ResizeScene(int32_t width, int32_t height);
void RenderScene();
void SceneKey(HWND window);
void SetupLight(GLenum light, const GLfloat* position, const GLfloat* ambient);
GLUquadric* MakeSphereList(GLuint list, GLenum style, GLenum normals, const GLfloat* material,
                           const GLdouble* radius, GLint slices_and_stacks);
void MakeSquareList(GLuint list);
void DrawSceneObject(GLuint list, const GLfloat* position, const GLfloat* step, GLfloat* angles);
void ReleaseScene();
