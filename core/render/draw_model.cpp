#include "core/render/draw_model.h"

#include <vector>

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

// Faces go to GL in batches through client vertex arrays (GL 1.1): one
// begin/end pair per face costs seconds for a million faces. A polygon is
// drawn as the fan from its first corner, which is how GL fills a polygon,
// and outlined edge by edge, as polygon line mode outlines it.
class VertexBatch {
public:
    VertexBatch(GLenum primitive, bool withNormals) : primitive_(primitive), withNormals_(withNormals) {
        positions_.reserve(kCapacity * 3);
        if (withNormals_) normals_.reserve(kCapacity * 3);
    }
    ~VertexBatch() { Flush(); }

    void Add(const Point3f& position) { positions_.insert(positions_.end(), {position.x, position.y, position.z}); }
    void Add(const Point3f& position, const float normal[3]) {
        Add(position);
        normals_.insert(normals_.end(), {normal[0], normal[1], normal[2]});
    }
    // Call between primitives, so that a flush never splits one.
    void MakeRoom(size_t vertices) {
        if (positions_.size() / 3 + vertices > kCapacity) Flush();
    }
    void Flush() {
        if (positions_.empty()) return;
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, positions_.data());
        if (withNormals_) {
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, 0, normals_.data());
        }
        glDrawArrays(primitive_, 0, GLsizei(positions_.size() / 3));
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        positions_.clear();
        normals_.clear();
    }

private:
    static constexpr size_t kCapacity = 3 * 65536;
    GLenum primitive_;
    bool withNormals_;
    std::vector<float> positions_, normals_;
};

// Unnormalised a x b with a = R - Q, b = P - Q over the first three corners.
void FaceNormal(const ModelGeometry& model, std::span<const int32_t> corners, float normal[3]) {
    const Point3f& p = model.vertices[corners[0]];
    const Point3f& q = model.vertices[corners[1]];
    const Point3f& r = model.vertices[corners[2]];
    const float ax = r.x - q.x, ay = r.y - q.y, az = r.z - q.z;
    const float bx = p.x - q.x, by = p.y - q.y, bz = p.z - q.z;
    normal[0] = ay * bz - az * by;
    normal[1] = az * bx - ax * bz;
    normal[2] = ax * by - ay * bx;
}

// The triangles of the fan, each corner with the face normal when one is given.
template <typename... Normal>
void AddFan(VertexBatch& batch, const ModelGeometry& model, std::span<const int32_t> corners, const Normal*... normal) {
    batch.MakeRoom(3 * (corners.size() - 2));
    for (size_t k = 1; k + 1 < corners.size(); ++k) {
        batch.Add(model.vertices[corners[0]], normal...);
        batch.Add(model.vertices[corners[k]], normal...);
        batch.Add(model.vertices[corners[k + 1]], normal...);
    }
}

void DrawDepthPass(const ModelGeometry& model) {
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    {
        VertexBatch batch(GL_TRIANGLES, false);
        for (const FaceRecord& face : model.faces) {
            if (face.vertexCount >= 3) AddFan(batch, model, model.Corners(face));
        }
    }
    glDisable(GL_POLYGON_OFFSET_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void DrawOutlines(const ModelGeometry& model, uint32_t objectColor) {
    // Outlines all take the object colour.
    glColor3f(ColorRed(objectColor), ColorGreen(objectColor), ColorBlue(objectColor));
    VertexBatch batch(GL_LINES, false);
    for (const FaceRecord& face : model.faces) {
        if (face.vertexCount < 3) continue;
        std::span<const int32_t> corners = model.Corners(face);
        batch.MakeRoom(2 * corners.size());
        for (size_t k = 0; k < corners.size(); ++k) {
            batch.Add(model.vertices[corners[k]]);
            batch.Add(model.vertices[corners[(k + 1) % corners.size()]]);
        }
    }
}

void DrawLitFaces(const ModelGeometry& model) {
    // A face's diffuse colour stays in effect for the faces after it, so a
    // batch ends only where a face brings a colour of its own.
    VertexBatch batch(GL_TRIANGLES, true);
    bool haveColor = false;
    RgbColor current{};
    for (const FaceRecord& face : model.faces) {
        if (face.vertexCount < 3) continue;
        std::span<const int32_t> corners = model.Corners(face);
        if (face.materialIndex >= 0) {
            const RgbColor color = model.Color(face);
            if (!haveColor || !(color == current)) {
                batch.Flush();
                SetDiffuse(color.red, color.green, color.blue);
                current = color;
                haveColor = true;
            }
        }
        float normal[3];
        FaceNormal(model, corners, normal);
        AddFan(batch, model, corners, normal);
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
    if (solid) {
        DrawLitFaces(model);
    } else {
        DrawOutlines(model, settings.objectColor);
    }
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
