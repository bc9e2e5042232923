// Rokkaku Daioh .rok models: points, edges and faces made of edges, with
// the colours of the palette that follows the geometry.
#pragma once

#include "core/model/model_geometry.h"
#include "readers/common/reader_input.h"

// "ROKU4", then "POINT" right after the fifteenth carriage return; the head's
// last byte is not examined.
bool RecognizeRok(const RecognitionInput& input);

// 0 when the input ran through (a first line other than "ROKU4" reads
// nothing), 2 when the geometry is malformed.
int32_t ReadRokModel(const InputSource& input, ModelGeometry& model);
