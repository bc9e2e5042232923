// The data objects of a .x body (the bytes after the header, expanded when
// compressed): every Mesh, inside and outside Frames, with the frames'
// matrices applied and the meshes' materials. Templates and data objects of
// other kinds are skipped whole.
#pragma once

#include <string_view>

#include "readers/common/byte_input.h"
#include "readers/x/x_model_builder.h"

// False when the body is not well formed; the builder may hold part of it.
bool ParseXText(std::string_view body, XModelBuilder& builder);
bool ParseXBinary(ByteSpan body, bool doubleFloats, XModelBuilder& builder);
