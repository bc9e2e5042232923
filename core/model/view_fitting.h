// Centres and scales the model so that any orientation fits the 40 degree view.
#pragma once

#include "core/model/model_geometry.h"

struct ViewFit {
    float cameraDistance;
    float nearPlane;
    float farPlane;
};

// Rewrites the vertices in place; the model must hold at least one vertex.
ViewFit FitModel(ModelGeometry& model);
