// The drawing of a model and of the settings preview, in plain GL 1.1 calls
// shared by every context (offscreen picture, dialog preview).
#pragma once

#include "core/model/model_geometry.h"
#include "core/settings/render_settings.h"

// One complete drawing pass into the current context: fits the model (its
// vertices are rewritten) and draws it with the settings' size, mode,
// colours and the given view matrix.
void DrawModel(ModelGeometry& model, const RenderSettings& settings, const double viewMatrix[16]);

// Preview operations; the preview's context must be current.
void SetupPreviewScene();
void SetPreviewProjection();
void DrawPreviewCube();  // the caller presents the frame (swap or blit)
void RotateView(int32_t deltaX, int32_t deltaY);
void ResetView();
void GetViewMatrix(double out[16]);
void SetViewMatrix(const double in[16]);
