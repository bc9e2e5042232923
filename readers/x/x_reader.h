// DirectX .x files: text, binary and MSZIP-compressed, 32- or 64-bit floats.
#pragma once

#include "core/model/model_geometry.h"
#include "readers/common/reader_input.h"

// The first four bytes are "xof "; nothing after them is looked at.
bool RecognizeX(const RecognitionInput& input);

// Appends the positions of every mesh in file order and their triangles,
// grouped by material; 0 on success, 1 for input that is not a readable .x file.
int32_t ReadXModel(const InputSource& input, ModelGeometry& model);
