// Wavefront OBJ: vertex lines ("v x y z") and face lines ("f a b c ...").
#pragma once

#include <string_view>

#include "core/model/model_geometry.h"
#include "readers/common/reader_input.h"

// Recognised when some complete line, before any line of another kind, is a
// vertex line with three numbers.
bool RecognizeObj(const RecognitionInput& input);

// Appends what one line holds: a vertex, a face, or nothing.
void ParseObjLine(std::string_view line, ModelGeometry& model);

// Walks the lines of a file (every line, the last one too) or of a memory
// image (only lines followed by a line end); never fails.
int32_t ReadObjModel(const InputSource& input, ModelGeometry& model);
