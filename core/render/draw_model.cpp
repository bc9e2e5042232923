#include "core/render/draw_model.h"

#include "core/model/view_fitting.h"
#include "core/render/gl_headers.h"

namespace {

constexpr double kFieldOfView = 40.0;

void SetupLights() {
    const GLfloat lightAPosition[] = {3.0f, 4.0f, 10.0f, 0.0f};
    const GLfloat lightADiffuse[] = {0.9f, 0.9f, 0.9f, 1.0f};
    const GLfloat lightASpecular[] = {0.3f, 0.3f, 0.3f, 1.0f};
    const GLfloat lightBPosition[] = {-10.0f, 0.0f, 0.0f, 0.0f};
    const GLfloat lightBDiffuse[] = {0.3f, 0.3f, 0.3f, 1.0f};
    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
    // Given while model-view is the identity, so the lights stay with the viewer.
    glLightfv(GL_LIGHT1, GL_POSITION, lightAPosition);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, lightADiffuse);
    glLightfv(GL_LIGHT1, GL_SPECULAR, lightASpecular);
    glLightfv(GL_LIGHT2, GL_POSITION, lightBPosition);
    glLightfv(GL_LIGHT2, GL_DIFFUSE, lightBDiffuse);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
}

void EnableLights() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHT2);
}

void SetDiffuse(float red, float green, float blue) {
    const GLfloat diffuse[] = {red, green, blue, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
}

// Unnormalised a x b with a = R - Q, b = P - Q over the first three corners.
void SendFaceNormal(const ModelGeometry& model, std::span<const int32_t> corners) {
    const Point3f& p = model.vertices[corners[0]];
    const Point3f& q = model.vertices[corners[1]];
    const Point3f& r = model.vertices[corners[2]];
    const float ax = r.x - q.x, ay = r.y - q.y, az = r.z - q.z;
    const float bx = p.x - q.x, by = p.y - q.y, bz = p.z - q.z;
    glNormal3f(ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx);
}

void SendCorners(const ModelGeometry& model, std::span<const int32_t> corners) {
    for (int32_t index : corners) {
        const Point3f& v = model.vertices[index];
        glVertex3f(v.x, v.y, v.z);
    }
}

void DrawDepthPass(const ModelGeometry& model) {
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    for (const FaceRecord& face : model.faces) {
        if (face.vertexCount < 3) continue;
        glBegin(GL_POLYGON);
        SendCorners(model, model.Corners(face));
        glEnd();
    }
    glDisable(GL_POLYGON_OFFSET_FILL);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void DrawVisiblePass(const ModelGeometry& model, bool solid, uint32_t objectColor) {
    // Outlines all take the object colour, set once for every face.
    if (!solid) glColor3f(ColorRed(objectColor), ColorGreen(objectColor), ColorBlue(objectColor));
    // A face's diffuse colour stays in effect for the faces after it; setting
    // it only when it changes keeps that and saves GL calls.
    bool haveColor = false;
    RgbColor current{};
    for (const FaceRecord& face : model.faces) {
        if (face.vertexCount < 3) continue;
        std::span<const int32_t> corners = model.Corners(face);
        glBegin(GL_POLYGON);
        if (solid) {
            SendFaceNormal(model, corners);
            if (face.materialIndex >= 0) {
                const RgbColor color = model.Color(face);
                if (!haveColor || !(color == current)) {
                    SetDiffuse(color.red, color.green, color.blue);
                    current = color;
                    haveColor = true;
                }
            }
        }
        SendCorners(model, corners);
        glEnd();
    }
}

}  // namespace

void DrawModel(ModelGeometry& model, const RenderSettings& settings, const double viewMatrix[16]) {
    const bool solid = settings.mode == kSolid;
    if (solid) {
        SetupLights();
        SetDiffuse(ColorRed(settings.objectColor), ColorGreen(settings.objectColor),
                   ColorBlue(settings.objectColor));
        EnableLights();
    } else {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);

    const ViewFit fit = FitModel(model);

    glViewport(0, 0, settings.width, settings.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, double(settings.width) / double(settings.height), fit.nearPlane,
                   fit.farPlane);
    gluLookAt(0.0, 0.0, fit.cameraDistance, 0.0, 0.0, fit.cameraDistance - 1.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMultMatrixd(viewMatrix);

    glClearColor(ColorRed(settings.backgroundColor), ColorGreen(settings.backgroundColor),
                 ColorBlue(settings.backgroundColor), 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glPushMatrix();
    if (settings.mode == kHiddenLine) DrawDepthPass(model);
    DrawVisiblePass(model, solid, settings.objectColor);
    glPopMatrix();
    glFlush();
}

void SetupPreviewScene() {
    SetupLights();
    EnableLights();
    glEnable(GL_DEPTH_TEST);
    glFrontFace(GL_CW);
    SetPreviewProjection();
}

void SetPreviewProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, 1.0, 0.1, 10.0);
    gluLookAt(0.0, 0.0, 4.3, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glClearColor(0.0f, 0.3f, 0.4f, 0.0f);
}

void DrawPreviewCube() {
    struct Quad {
        GLfloat color[4];
        GLfloat normal[3];
        GLfloat corners[4][3];
    };
    static const Quad quads[] = {
        {{1, 0, 1, 1}, {0, 0, 1},
         {{-0.5f, -0.5f, -0.5f}, {-0.5f, 0.5f, -0.5f}, {0.5f, 0.5f, -0.5f}, {0.5f, -0.5f, -0.5f}}},
        {{0, 1, 1, 1}, {0, 1, 0},
         {{-0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, 0.5f}, {-0.5f, -0.5f, 0.5f}}},
        {{0, 1, 0, 1}, {1, 0, 0},
         {{-0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, 0.5f}, {-0.5f, 0.5f, 0.5f}, {-0.5f, 0.5f, -0.5f}}},
    };
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    for (const Quad& quad : quads) {
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, quad.color);
        glBegin(GL_QUADS);
        glNormal3fv(quad.normal);
        for (const auto& corner : quad.corners) glVertex3fv(corner);
        glEnd();
    }
    glPopMatrix();
    glFlush();
}

void RotateView(int32_t deltaX, int32_t deltaY) {
    glMatrixMode(GL_MODELVIEW);
    GLdouble current[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, current);
    glLoadIdentity();
    glRotated(-double(deltaY), 1.0, 0.0, 0.0);
    glRotated(-double(deltaX), 0.0, 1.0, 0.0);
    glMultMatrixd(current);
}

void ResetView() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void GetViewMatrix(double out[16]) {
    glMatrixMode(GL_MODELVIEW);
    glGetDoublev(GL_MODELVIEW_MATRIX, out);
}

void SetViewMatrix(const double in[16]) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMultMatrixd(in);
}
