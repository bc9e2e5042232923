// The batched drawing gives the pictures of the plain immediate-mode drawing:
// one polygon per face between begin and end, outlines by polygon line mode.
#include <cmath>

#include "core/model/view_fitting.h"
#include "core/render/draw_model.h"
#include "core/render/gl_headers.h"
#include "core/render/offscreen_surface.h"
#include "tests/support/test_support.h"

namespace {

void ImmediateModeDrawing(ModelGeometry& model, const RenderSettings& settings) {
    const bool solid = settings.mode == kSolid;
    const auto diffuse = [](float r, float g, float b) {
        const GLfloat color[] = {r, g, b, 1.0f};
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, color);
    };
    if (solid) {
        const GLfloat aPosition[] = {3, 4, 10, 0}, aDiffuse[] = {0.9f, 0.9f, 0.9f, 1}, aSpecular[] = {0.3f, 0.3f, 0.3f, 1};
        const GLfloat bPosition[] = {-10, 0, 0, 0}, bDiffuse[] = {0.3f, 0.3f, 0.3f, 1}, ambient[] = {0.2f, 0.2f, 0.2f, 1};
        glLightfv(GL_LIGHT1, GL_POSITION, aPosition);
        glLightfv(GL_LIGHT1, GL_DIFFUSE, aDiffuse);
        glLightfv(GL_LIGHT1, GL_SPECULAR, aSpecular);
        glLightfv(GL_LIGHT2, GL_POSITION, bPosition);
        glLightfv(GL_LIGHT2, GL_DIFFUSE, bDiffuse);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
        diffuse(ColorRed(settings.objectColor), ColorGreen(settings.objectColor), ColorBlue(settings.objectColor));
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT1);
        glEnable(GL_LIGHT2);
    } else {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    const ViewFit fit = FitModel(model);
    glViewport(0, 0, settings.width, settings.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40.0, double(settings.width) / settings.height, fit.nearPlane, fit.farPlane);
    gluLookAt(0, 0, fit.cameraDistance, 0, 0, fit.cameraDistance - 1.0, 0, 1, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMultMatrixd(settings.viewMatrix);
    glClearColor(ColorRed(settings.backgroundColor), ColorGreen(settings.backgroundColor),
                 ColorBlue(settings.backgroundColor), 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const auto corner = [&](int32_t index) {
        const Point3f& v = model.vertices[index];
        glVertex3f(v.x, v.y, v.z);
    };
    if (settings.mode == kHiddenLine) {
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1, 1);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        for (const FaceRecord& face : model.faces) {
            if (face.vertexCount < 3) continue;
            glBegin(GL_POLYGON);
            for (int32_t index : model.Corners(face)) corner(index);
            glEnd();
        }
        glDisable(GL_POLYGON_OFFSET_FILL);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    }
    for (const FaceRecord& face : model.faces) {
        if (face.vertexCount < 3) continue;
        const auto corners = model.Corners(face);
        glBegin(GL_POLYGON);
        if (solid) {
            const Point3f &p = model.vertices[corners[0]], &q = model.vertices[corners[1]], &r = model.vertices[corners[2]];
            const float ax = r.x - q.x, ay = r.y - q.y, az = r.z - q.z, bx = p.x - q.x, by = p.y - q.y, bz = p.z - q.z;
            glNormal3f(ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx);
            if (face.materialIndex >= 0) diffuse(model.Color(face).red, model.Color(face).green, model.Color(face).blue);
        } else {
            glColor3f(ColorRed(settings.objectColor), ColorGreen(settings.objectColor), ColorBlue(settings.objectColor));
        }
        for (int32_t index : corners) corner(index);
        glEnd();
    }
    glFlush();
}

std::vector<uint8_t> Draw(ModelGeometry model, const RenderSettings& settings, bool immediate) {
    OffscreenSurface surface;
    EXPECT_TRUE(surface.Create(settings.width, settings.height));
    if (immediate) {
        ImmediateModeDrawing(model, settings);
    } else {
        DrawModel(model, settings, settings.viewMatrix);
    }
    const uint8_t* pixels = surface.FinishedPixels();
    return {pixels, pixels + size_t(settings.width) * size_t(settings.height) * 4};
}

// A bumpy sphere of triangles, quadrilaterals and pentagons in three colours,
// with faces before the first coloured one, and a face of two corners.
ModelGeometry Sphere() {
    ModelGeometry model;
    const int rings = 18, segments = 30;
    for (int i = 0; i <= rings; ++i) {
        for (int j = 0; j < segments; ++j) {
            const double theta = M_PI * i / rings, phi = 2 * M_PI * j / segments;
            const double radius = 1 + 0.08 * std::sin(5 * phi) * std::sin(3 * theta);
            AppendVertex(model, {float(radius * std::sin(theta) * std::cos(phi)), float(radius * std::cos(theta)),
                                 float(radius * std::sin(theta) * std::sin(phi))});
        }
    }
    const RgbColor colors[] = {{1, 0.2f, 0.1f}, {0.1f, 0.8f, 0.3f}, {0.2f, 0.3f, 1}};
    const int32_t two[] = {0, 1};
    AppendFace(model, two, 0, colors[0]);
    for (int i = 0; i < rings; ++i) {
        for (int j = 0; j < segments; ++j) {
            const int32_t a = i * segments + j, b = i * segments + (j + 1) % segments;
            const int32_t c = b + segments, d = a + segments;
            const int32_t material = i < 3 ? -1 : (i + j) % 4 == 0 ? (i + j) % 3 : -1;
            const RgbColor color = material >= 0 ? colors[material] : RgbColor{};
            if (j % 3 == 0) {
                const int32_t triangleA[] = {a, b, c}, triangleB[] = {a, c, d};
                AppendFace(model, triangleA, material, color);
                AppendFace(model, triangleB, -1);
            } else if (j % 3 == 1 || i == 0 || i + 1 == rings) {
                const int32_t quad[] = {a, b, c, d};
                AppendFace(model, quad, material, color);
            } else {
                const Point3f &p = model.vertices[d], &q = model.vertices[a];
                AppendVertex(model, {(p.x + q.x) / 2, (p.y + q.y) / 2, (p.z + q.z) / 2});
                const int32_t pentagon[] = {a, b, c, d, model.VertexCount() - 1};
                AppendFace(model, pentagon, material, color);
            }
        }
    }
    return model;
}

TEST(VertexArrays, SamePicturesAsImmediateMode) {
    RenderSettings settings;
    ApplyAttachDefaults(settings);
    settings.width = 203;
    settings.height = 151;
    for (int turn = 0; turn < 16; ++turn) settings.viewMatrix[turn] = 0;
    // Turned 25 degrees about x, then 35 about y.
    const double cx = std::cos(0.4363), sx = std::sin(0.4363), cy = std::cos(0.6109), sy = std::sin(0.6109);
    const double turned[16] = {cy, sx * sy, -cx * sy, 0, 0, cx, sx, 0, sy, -sx * cy, cx * cy, 0, 0, 0, 0, 1};
    std::copy(turned, turned + 16, settings.viewMatrix);
    for (int32_t mode : {kSolid, kWireframe, kHiddenLine}) {
        settings.mode = mode;
        const std::vector<uint8_t> batched = Draw(Sphere(), settings, false);
        const std::vector<uint8_t> immediate = Draw(Sphere(), settings, true);
        size_t differing = 0;
        for (size_t i = 0; i < batched.size(); i += 4) differing += !std::equal(&batched[i], &batched[i] + 3, &immediate[i]);
        EXPECT_EQ(differing, 0u) << "mode " << mode;
    }
}

}  // namespace
