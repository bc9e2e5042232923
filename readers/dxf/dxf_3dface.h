// A 3DFACE entity: three or four corners, each on vertices of its own.
#pragma once

#include "core/model/model_geometry.h"
#include "readers/dxf/dxf_pairs.h"

// Reads from the first pair after the 3DFACE name up to and including the
// code line 0 that starts the next entity (its name is left to the caller).
bool ReadDxf3dFace(DxfPairs& pairs, ModelGeometry& model);
