// Stanford PLY: the vertices' x, y, z, the "face" lists and the "tristrips"
// strips of "vertex_indices"; everything else is read and dropped.
#pragma once

#include "core/model/model_geometry.h"
#include "readers/common/reader_input.h"

// Recognised when the input starts with the magic and its header parses.
bool RecognizePly(const RecognitionInput& input);

// Reads the file at `input.path` when there is one, else the memory image;
// 0 on success, 2 when the input cannot be opened or read.
int32_t ReadPlyModel(const InputSource& input, ModelGeometry& model);
