// A POLYLINE entity with its VERTEX records, up to and including SEQEND.
#pragma once

#include "core/model/model_geometry.h"
#include "readers/dxf/dxf_pairs.h"

// Reads from the first pair after the POLYLINE name; appends the faces of a
// polyface mesh, an M x N polygon mesh or a closed 3D polyline. A polyline
// that makes no surface (2D, curve- or spline-fit) is passed over and adds
// nothing. False on a malformed polyline or a missing line.
bool ReadDxfPolyline(DxfPairs& pairs, ModelGeometry& model);
