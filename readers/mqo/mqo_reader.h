// Metasequoia documents: the objects' vertices (text or raw "BVertex"
// blocks) and their triangles and quadrilaterals, coloured by material.
#pragma once

#include "core/model/model_geometry.h"
#include "readers/common/reader_input.h"

// The first line is exactly "Metasequoia Document" (the ".mqo" extension is
// tested before, by name).
bool RecognizeMqo(const RecognitionInput& input);

// Reads every object of the document into one model; never fails. From a
// memory image a last line without a line feed is not read.
int32_t ReadMqoModel(const InputSource& input, ModelGeometry& model);
