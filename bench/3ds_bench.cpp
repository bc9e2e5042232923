// 3D Studio meshes: our reader against the Open Asset Import Library on a
// generated surface of about 1M triangles, split into objects of at most
// 65,535 vertices and faces as the format's 16-bit counts require; then the
// whole native GetPicture.
#include <algorithm>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "bench/bench_support.h"
#include "readers/3ds/studio_reader.h"

#ifdef PRISMO_HAVE_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#endif

namespace {

constexpr int kPatchSide = 182;  // 33,124 vertices and 65,522 triangles a patch
constexpr int kPatches = 16;     // 1,048,352 triangles in all

template <typename T>
void Append(std::string& out, T value) {
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof raw);
    out.append(raw, sizeof raw);
}

// Writes a chunk header now and its length once the content is in place.
template <typename Content>
void AppendChunk(std::string& out, uint16_t id, Content content) {
    const size_t start = out.size();
    Append(out, id);
    Append(out, uint32_t(0));
    content();
    const uint32_t length = uint32_t(out.size() - start);
    std::memcpy(&out[start + 2], &length, 4);
}

void AppendPatch(std::string& out, int patch) {
    AppendChunk(out, 0x4000, [&] {
        out += "Patch" + std::to_string(patch);
        out.push_back('\0');
        AppendChunk(out, 0x4100, [&] {
            AppendChunk(out, 0x4110, [&] {
                Append(out, uint16_t(kPatchSide * kPatchSide));
                for (int row = 0; row < kPatchSide; ++row) {
                    for (int column = 0; column < kPatchSide; ++column) {
                        const float x = float(patch * (kPatchSide - 1) + column), y = float(row);
                        Append(out, x), Append(out, y), Append(out, 3.0f * std::sin(x * 0.05f) * std::cos(y * 0.07f));
                    }
                }
            });
            AppendChunk(out, 0x4120, [&] {
                Append(out, uint16_t(2 * (kPatchSide - 1) * (kPatchSide - 1)));
                for (int row = 0; row + 1 < kPatchSide; ++row) {
                    for (int column = 0; column + 1 < kPatchSide; ++column) {
                        const uint16_t corner = uint16_t(row * kPatchSide + column);
                        const uint16_t faces[2][3] = {{corner, uint16_t(corner + 1), uint16_t(corner + kPatchSide)},
                                                      {uint16_t(corner + 1), uint16_t(corner + kPatchSide + 1), uint16_t(corner + kPatchSide)}};
                        for (const auto& face : faces) Append(out, face[0]), Append(out, face[1]), Append(out, face[2]), Append(out, uint16_t(0));
                    }
                }
            });
        });
    });
}

std::string Surface() {
    std::string out;
    AppendChunk(out, 0x4D4D, [&] {
        AppendChunk(out, 0x0002, [&] { Append(out, uint32_t(3)); });
        AppendChunk(out, 0x3D3D, [&] {
            AppendChunk(out, 0x3D3E, [&] { Append(out, uint32_t(3)); });
            for (int patch = 0; patch < kPatches; ++patch) AppendPatch(out, patch);
        });
    });
    return out;
}

size_t ReadOurs(ByteSpan bytes) { return FacesFromBytes(Read3dsModel, bytes); }

}  // namespace

int main() {
    const std::string path = CachedInput("surface_1m.3ds", Surface);
    const uint64_t size = FileBytes(path);
    const std::vector<uint8_t> bytes = LoadBytes(path);

    std::printf("peak resident memory of a child process\n");
    PrintFigure("doing nothing", PeakMemoryMbInChild([] {}), "MB");
    PrintFigure("GetPicture of the surface", PeakMemoryMbInChild([&] { NativeGetPicture("prismostudio", path); }), "MB");
    PrintFigure("Read3dsModel of the surface", PeakMemoryMbInChild([&] { ReadOurs(bytes); }), "MB");
#ifdef PRISMO_HAVE_ASSIMP
    PrintFigure("assimp ReadFile of the surface", PeakMemoryMbInChild([&] { AssimpFaceCount(path); }), "MB");
#endif

    constexpr int kRuns = 9;
    std::printf("3DS surface, %d objects (%.1f MB, %zu triangles read)\n", kPatches, double(size) / 1e6, ReadOurs(bytes));
    const double floor = ReadBytesMs(path, kRuns);
    PrintThroughput("read the file's bytes (floor)", floor, size);
    const double parse = MedianMs(kRuns, [&] { ReadOurs(bytes); });
    const double readAndParse = MedianMs(kRuns, [&] { ReadOurs(LoadBytes(path)); });
    char note[96];
    std::snprintf(note, sizeof note, "%.2fx the time to read the bytes", parse / floor);
    PrintThroughput("prismostudio Read3dsModel over the bytes", parse, size, note);
#ifdef PRISMO_HAVE_ASSIMP
    const double baseline = MedianMs(kRuns, [&] { AssimpFaceCount(path); });
    PrintThroughput("assimp ReadFile, no post-processing", baseline, size);
    std::snprintf(note, sizeof note, "%.2fx assimp", baseline / readAndParse);
    PrintThroughput("prismostudio read the bytes + Read3dsModel", readAndParse, size, note);
    std::snprintf(note, sizeof note, "%.2fx assimp", baseline / parse);
    PrintThroughput("prismostudio Read3dsModel alone", parse, size, note);
    const double baselineCpu = MedianCpuMs(kRuns, [&] { AssimpFaceCount(path); });
    const double parseCpu = MedianCpuMs(kRuns, [&] { ReadOurs(bytes); });
    PrintThroughput("assimp ReadFile, processor time", baselineCpu, size);
    std::snprintf(note, sizeof note, "%.2fx assimp", baselineCpu / parseCpu);
    PrintThroughput("prismostudio Read3dsModel, processor time", parseCpu, size, note);
#else
    PrintThroughput("prismostudio read the bytes + Read3dsModel", readAndParse, size, "(assimp not found: no baseline)");
    PrintThroughput("prismostudio Read3dsModel, processor time", MedianCpuMs(kRuns, [&] { ReadOurs(bytes); }), size);
#endif

    std::printf("whole native GetPicture (read, fit, render 320x240)\n");
    NativeGetPicture("prismostudio", path);  // loads the plug-in and the renderer
    PrintFigure("surface", MedianMs(3, [&] { NativeGetPicture("prismostudio", path); }), "ms");
    return 0;
}
