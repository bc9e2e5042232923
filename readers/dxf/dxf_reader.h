// ASCII DXF drawings: the surfaces of 3DFACE entities and of polyface,
// polygon-mesh and closed 3D POLYLINE entities. Recognised by extension only.
#pragma once

#include "core/model/model_geometry.h"
#include "readers/common/reader_input.h"

// Walks the group pairs up to the required "EOF" record; 0 on success, 1 on
// a malformed drawing or an input that ends first. A file is read as C text
// mode reads it.
int32_t ReadDxfModel(const InputSource& input, ModelGeometry& model);
