// LightWave objects: IFF forms "LWOB" and "LWO2" with their points,
// polygons and surface colours.
#pragma once

#include "core/model/model_geometry.h"
#include "readers/common/reader_input.h"

// "FORM", any size, then "LWOB" or "LWO2".
bool RecognizeLwo(const RecognitionInput& input);

// Reads either form by byte 11 of the header; an input of any other form
// leaves the model empty. 0 on success.
int32_t ReadLwoModel(const InputSource& input, ModelGeometry& model);
