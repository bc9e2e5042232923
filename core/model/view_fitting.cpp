#include "core/model/view_fitting.h"

#include <cmath>

namespace {
constexpr double kLowerSize = 1.0;
constexpr double kUpperSize = 10000.0;
constexpr double kRadiusFactor = 0.55;
constexpr double kHalfFieldOfView = 0.3490658888888889;
constexpr float kSmallestNear = 0.01f;
constexpr float kSmallestFar = 1.0f;
}  // namespace

ViewFit FitModel(ModelGeometry& model) {
    Point3f low = model.vertices.front();
    Point3f high = low;
    for (const Point3f& v : model.vertices) {
        if (v.x < low.x) low.x = v.x; else if (v.x > high.x) high.x = v.x;
        if (v.y < low.y) low.y = v.y; else if (v.y > high.y) high.y = v.y;
        if (v.z < low.z) low.z = v.z; else if (v.z > high.z) high.z = v.z;
    }
    const float cx = static_cast<float>((double(low.x) + high.x) * 0.5);
    const float cy = static_cast<float>((double(low.y) + high.y) * 0.5);
    const float cz = static_cast<float>((double(low.z) + high.z) * 0.5);
    const double dx = double(high.x) - low.x, dy = double(high.y) - low.y, dz = double(high.z) - low.z;
    const double diagonal = std::sqrt(dx * dx + dy * dy + dz * dz);

    // A model whose vertices all coincide (or whose box is not finite) has no
    // size to scale by: keep it unscaled and view it as if it were 1 across,
    // so no infinity or NaN reaches the vertices or the camera.
    const bool measurable = diagonal > 0.0 && std::isfinite(diagonal);
    double scale = 1.0;
    if (measurable && diagonal < kLowerSize) scale = kLowerSize / diagonal;
    else if (measurable && diagonal > kUpperSize) scale = kUpperSize / diagonal;
    const float s = static_cast<float>(scale);

    const double radius = (measurable ? diagonal * scale : kLowerSize) * kRadiusFactor;
    ViewFit fit;
    fit.cameraDistance = static_cast<float>(radius / std::tan(kHalfFieldOfView));
    fit.nearPlane = static_cast<float>(fit.cameraDistance - radius);
    if (!(fit.nearPlane >= kSmallestNear)) fit.nearPlane = kSmallestNear;
    fit.farPlane = static_cast<float>(fit.cameraDistance + radius);
    if (!(fit.farPlane >= kSmallestFar)) fit.farPlane = kSmallestFar;

    for (Point3f& v : model.vertices) {
        v = {(v.x - cx) * s, (v.y - cy) * s, (v.z - cz) * s};
    }
    return fit;
}
