// Builders of small DXF drawings for the reader tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/model/model_geometry.h"

inline std::string Pair(int code, std::string_view value) {
    return std::to_string(code) + "\n" + std::string(value) + "\n";
}
inline std::string Pair(int code, int value) { return Pair(code, std::to_string(value)); }
inline std::string Pair(int code, float value) { return Pair(code, std::to_string(value)); }

// One ENTITIES section and the closing "EOF".
inline std::string Drawing(const std::string& entities) {
    return Pair(0, "SECTION") + Pair(2, "ENTITIES") + entities + Pair(0, "ENDSEC") + Pair(0, "EOF");
}

inline std::string Coordinates(Point3f p, int index = 0) {
    return Pair(10 + index, p.x) + Pair(20 + index, p.y) + Pair(30 + index, p.z);
}

inline std::string Face3d(const std::vector<Point3f>& corners) {
    std::string text = Pair(0, "3DFACE") + Pair(8, "0");
    for (size_t k = 0; k < corners.size(); ++k) text += Coordinates(corners[k], int(k));
    return text;
}

inline std::string Vertex(Point3f p, int flags) {
    return Pair(0, "VERTEX") + Pair(8, "0") + Coordinates(p) + Pair(70, flags);
}

// A polyface face record; its indices go to codes 71, 72, ...
inline std::string FaceRecordVertex(const std::vector<int>& indices) {
    std::string text = Vertex({0, 0, 0}, 128);
    for (size_t k = 0; k < indices.size(); ++k) text += Pair(71 + int(k), indices[k]);
    return text;
}

inline std::string Polyline(int flags, const std::string& vertices, const std::string& header = "") {
    return Pair(0, "POLYLINE") + Pair(8, "0") + Pair(66, 1) + Pair(70, flags) + header + vertices + Pair(0, "SEQEND") +
           Pair(8, "0");
}

// `count` position vertices with the given flags, at (k, k % 2, 0).
inline std::string PositionVertices(int count, int flags) {
    std::string text;
    for (int k = 0; k < count; ++k) text += Vertex({float(k), float(k % 2), 0}, flags);
    return text;
}
