// 3D Studio chunk files: the vertex and face lists of the triangle meshes
// of the editor's objects, drawn without their materials.
#pragma once

#include "core/model/model_geometry.h"
#include "readers/common/reader_input.h"

// Bytes 0 and 1 are 0x4D (a main chunk) and byte 28, the low byte of the
// mesh version in files that begin as 3D Studio writes them, is 2 to 127.
bool Recognize3ds(const RecognitionInput& input);

// 0 when the walk of the chunk tree completes; 1 when the data runs out or a
// chunk's length does not fit its container.
int32_t Read3dsModel(const InputSource& input, ModelGeometry& model);
