// DXF drawings: our reader against the Open Asset Import Library on a
// generated surface of about 1M 3DFACE triangles (about 175 MB); then the
// whole native GetPicture.

#include <cmath>
#include <cstdio>

#include "bench/bench_support.h"
#include "readers/dxf/dxf_reader.h"

#ifdef PRISMO_HAVE_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#endif

namespace {

constexpr int kSide = 708;  // 999,698 triangles

float Height(int row, int column) { return 0.05f * std::sin(row * 0.05f) * std::cos(column * 0.07f); }

// Each triangle as exporters write it: four corners, the fourth repeating
// the third.
std::string Surface() {
    std::string out = "  0\nSECTION\n  2\nENTITIES\n";
    char number[48];
    auto corner = [&](int index, int row, int column) {
        const float values[3] = {column / float(kSide), row / float(kSide), Height(row, column)};
        for (int axis = 0; axis < 3; ++axis) {
            const int code = 10 * (axis + 1) + index;
            out.append(number, size_t(std::snprintf(number, sizeof number, "%3d\n%.6f\n", code, double(values[axis]))));
        }
    };
    auto triangle = [&](int r0, int c0, int r1, int c1, int r2, int c2) {
        out += "  0\n3DFACE\n  8\n0\n";
        corner(0, r0, c0), corner(1, r1, c1), corner(2, r2, c2), corner(3, r2, c2);
    };
    for (int row = 0; row + 1 < kSide; ++row) {
        for (int column = 0; column + 1 < kSide; ++column) {
            triangle(row, column, row, column + 1, row + 1, column);
            triangle(row, column + 1, row + 1, column + 1, row + 1, column);
        }
    }
    out += "  0\nENDSEC\n  0\nEOF\n";
    return out;
}

size_t ReadOurs(const std::string& path) { return FacesFromMappedFile(ReadDxfModel, path); }

}  // namespace

int main() {
    const std::string path = CachedInput("surface_1m_3dface.dxf", Surface);
    const uint64_t bytes = FileBytes(path);

    // Peak memory first, while this process is still small: each child
    // starts from a copy of it.
    std::printf("peak resident memory of a child process\n");
    PrintFigure("doing nothing", PeakMemoryMbInChild([] {}), "MB");
    PrintFigure("GetPicture of the surface", PeakMemoryMbInChild([&] { NativeGetPicture("prismocad", path); }), "MB");
    PrintFigure("ReadDxfModel of the surface", PeakMemoryMbInChild([&] { ReadOurs(path); }), "MB");
#ifdef PRISMO_HAVE_ASSIMP
    PrintFigure("assimp ReadFile of the surface", PeakMemoryMbInChild([&] { AssimpFaceCount(path); }), "MB");
#endif

    constexpr int kRuns = 7;
    std::printf("3DFACE surface (%.1f MB, %zu triangles read)\n", double(bytes) / 1e6, ReadOurs(path));
    PrintThroughput("read the file's bytes (floor)", ReadBytesMs(path, kRuns), bytes);
#ifdef PRISMO_HAVE_ASSIMP
    std::printf("  (assimp reads %zu faces)\n", AssimpFaceCount(path));
    const PairedTimes times = PairedMedians(kRuns, [&] { ReadOurs(path); }, [&] { AssimpFaceCount(path); });
    PrintPaired("prismocad ReadDxfModel", "assimp ReadFile", times, bytes);
#else
    PrintThroughput("prismocad ReadDxfModel", MedianMs(kRuns, [&] { ReadOurs(path); }), bytes,
                    "(assimp not found: no baseline)");
#endif

    std::printf("whole native GetPicture (read, fit, render 320x240)\n");
    NativeGetPicture("prismocad", path);  // loads the plug-in and the renderer
    PrintFigure("3DFACE surface", MedianMs(kRuns, [&] { NativeGetPicture("prismocad", path); }), "ms");
    return 0;
}
