// PLY scans: our parser and reader against the Open Asset Import Library on
// a generated surface of about 1M triangles over 500K vertices, stored as
// binary little-endian and as ASCII; then the whole native GetPicture.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

#include "bench/bench_support.h"
#include "readers/ply/ply_reader.h"

#ifdef PRISMO_HAVE_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#endif

namespace {

constexpr int kSide = 708;  // 501,264 vertices, 999,698 triangles

std::string ScanHeader(const char* storage) {
    const int triangles = 2 * (kSide - 1) * (kSide - 1);
    return std::string("ply\nformat ") + storage + " 1.0\ncomment generated wavy surface\nelement vertex " +
           std::to_string(kSide * kSide) + "\nproperty float x\nproperty float y\nproperty float z\nelement face " +
           std::to_string(triangles) + "\nproperty list uchar int vertex_indices\nend_header\n";
}

float Height(int row, int column) { return 0.05f * std::sin(row * 0.05f) * std::cos(column * 0.07f); }

template <typename OnVertex, typename OnTriangle>
void WalkScan(OnVertex onVertex, OnTriangle onTriangle) {
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) onVertex(column / float(kSide), row / float(kSide), Height(row, column));
    }
    for (int row = 0; row + 1 < kSide; ++row) {
        for (int column = 0; column + 1 < kSide; ++column) {
            const int corner = row * kSide + column;
            onTriangle(corner, corner + 1, corner + kSide);
            onTriangle(corner + 1, corner + kSide + 1, corner + kSide);
        }
    }
}

template <typename T>
void Append(std::string& out, T value) {
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof raw);
    out.append(raw, sizeof raw);
}

std::string BinaryScan() {
    std::string out = ScanHeader("binary_little_endian");
    WalkScan([&](float x, float y, float z) { Append(out, x), Append(out, y), Append(out, z); },
             [&](int32_t a, int32_t b, int32_t c) { Append(out, uint8_t(3)), Append(out, a), Append(out, b), Append(out, c); });
    return out;
}

std::string AsciiScan() {
    std::string out = ScanHeader("ascii");
    char line[96];
    WalkScan([&](float x, float y, float z) { out.append(line, size_t(std::snprintf(line, sizeof line, "%.6f %.6f %.6f\n", x, y, z))); },
             [&](int32_t a, int32_t b, int32_t c) { out.append(line, size_t(std::snprintf(line, sizeof line, "3 %d %d %d\n", a, b, c))); });
    return out;
}

size_t ReadOurs(const std::string& path) {
    InputSource input;
    input.path = path.c_str();
    input.fromFile = true;
    ModelGeometry model;
    if (ReadPlyModel(input, model) != 0) return 0;
    return model.faces.size();
}

void Compare(const char* label, const std::string& path, int runs) {
    const uint64_t bytes = FileBytes(path);
    std::printf("%s (%.1f MB, %zu triangles read)\n", label, double(bytes) / 1e6, ReadOurs(path));
    PrintThroughput("read the file's bytes (floor)", ReadBytesMs(path, runs), bytes);
#ifdef PRISMO_HAVE_ASSIMP
    const PairedTimes times = PairedMedians(runs, [&] { ReadOurs(path); }, [&] { AssimpFaceCount(path); });
    PrintPaired("prismoscan ReadPlyModel", "assimp ReadFile", times, bytes);
#else
    PrintThroughput("prismoscan ReadPlyModel", MedianMs(runs, [&] { ReadOurs(path); }), bytes,
                    "(assimp not found: no baseline)");
    PrintThroughput("prismoscan ReadPlyModel, processor time", MedianCpuMs(runs, [&] { ReadOurs(path); }), bytes);
#endif
}

}  // namespace

int main() {
    const std::string binary = CachedInput("scan_1m_binary_le.ply", BinaryScan);
    const std::string ascii = CachedInput("scan_1m_ascii.ply", AsciiScan);

    // Peak memory first, while this process is still small: each child
    // starts from a copy of it.
    std::printf("peak resident memory of a child process\n");
    PrintFigure("doing nothing", PeakMemoryMbInChild([] {}), "MB");
    PrintFigure("GetPicture of the binary scan", PeakMemoryMbInChild([&] { NativeGetPicture("prismoscan", binary); }), "MB");
    PrintFigure("ReadPlyModel of the binary scan", PeakMemoryMbInChild([&] { ReadOurs(binary); }), "MB");
#ifdef PRISMO_HAVE_ASSIMP
    PrintFigure("assimp ReadFile of the binary scan", PeakMemoryMbInChild([&] { AssimpFaceCount(binary); }), "MB");
#endif

    Compare("binary little-endian scan", binary, 9);
    Compare("ASCII scan", ascii, 5);

    std::printf("whole native GetPicture (read, fit, render 320x240)\n");
    NativeGetPicture("prismoscan", binary);  // loads the plug-in and the renderer
    PrintFigure("binary scan", MedianMs(5, [&] { NativeGetPicture("prismoscan", binary); }), "ms");
    PrintFigure("ASCII scan", MedianMs(5, [&] { NativeGetPicture("prismoscan", ascii); }), "ms");
    return 0;
}
