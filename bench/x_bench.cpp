// DirectX .x: our reader on a generated surface of about 1M triangles over
// 500K vertices, as text (about 40 MB) and as its binary form, against the
// Open Asset Import Library reading the same files (no post-processing);
// then the whole native GetPicture.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "bench/bench_support.h"
#include "readers/x/x_reader.h"

#ifdef PRISMO_HAVE_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#endif

namespace {

constexpr int kSide = 708;  // 501,264 vertices, 999,698 triangles
constexpr int kTriangles = 2 * (kSide - 1) * (kSide - 1);

float Height(int row, int column) { return 5.0f * std::sin(row * 0.05f) * std::cos(column * 0.07f); }

void Point(int row, int column, float out[3]) {
    out[0] = column * 0.5f - 177.0f;
    out[1] = Height(row, column);
    out[2] = row * 0.5f - 177.0f;
}

template <typename Emit>
void ForEachTriangle(Emit emit) {
    for (int row = 0; row + 1 < kSide; ++row) {
        for (int column = 0; column + 1 < kSide; ++column) {
            const int corner = row * kSide + column;
            emit(corner, corner + 1, corner + kSide);
            emit(corner + 1, corner + kSide + 1, corner + kSide);
        }
    }
}

const char kMaterial[] = "  Material { 0.8;0.7;0.6;1.0;; 10.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\n";

std::string TextFile() {
    std::string out = "xof 0303txt 0032\nFrame surface {\n FrameTransformMatrix {\n  1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,"
                      "0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;\n }\n Mesh grid {\n  " + std::to_string(kSide * kSide) + ";\n";
    char line[96];
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            float p[3];
            Point(row, column, p);
            const bool last = row + 1 == kSide && column + 1 == kSide;
            out.append(line, size_t(std::snprintf(line, sizeof line, "  %f;%f;%f;%s\n", p[0], p[1], p[2], last ? ";" : ",")));
        }
    }
    out += "  " + std::to_string(kTriangles) + ";\n";
    int written = 0;
    ForEachTriangle([&](int a, int b, int c) {
        const bool last = ++written == kTriangles;
        out.append(line, size_t(std::snprintf(line, sizeof line, "  3;%d,%d,%d;%s\n", a, b, c, last ? ";" : ",")));
    });
    out += "  MeshMaterialList {\n   1;\n   1;\n   0;;\n" + std::string(kMaterial) + "  }\n }\n}\n";
    return out;
}

class BinaryOut {
public:
    void Token(uint16_t code) { Put(&code, 2); }
    void Name(const std::string& name) {
        Token(1);
        Count(name.size());
        out_ += name;
    }
    void Count(size_t count) {
        const uint32_t value = uint32_t(count);
        Put(&value, 4);
    }
    void Put(const void* data, size_t size) { out_.append(static_cast<const char*>(data), size); }
    std::string& Text() { return out_; }

private:
    std::string out_ = "xof 0303bin 0032";
};

std::string BinaryFile() {
    BinaryOut out;
    out.Name("Frame");
    out.Name("surface");
    out.Token(10);
    out.Name("FrameTransformMatrix");
    out.Token(10);
    out.Token(7);
    out.Count(16);
    for (int i = 0; i < 16; ++i) {
        const float element = i % 5 == 0 ? 1.0f : 0.0f;
        out.Put(&element, 4);
    }
    out.Token(11);
    out.Name("Mesh");
    out.Name("grid");
    out.Token(10);
    out.Token(6);
    out.Count(1);
    out.Count(kSide * kSide);
    out.Token(7);
    out.Count(size_t(kSide) * kSide * 3);
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            float p[3];
            Point(row, column, p);
            out.Put(p, sizeof p);
        }
    }
    out.Token(6);
    out.Count(1 + size_t(kTriangles) * 4);
    out.Count(kTriangles);
    ForEachTriangle([&](int a, int b, int c) {
        const uint32_t face[4] = {3, uint32_t(a), uint32_t(b), uint32_t(c)};
        out.Put(face, sizeof face);
    });
    out.Name("MeshMaterialList");
    out.Token(10);
    out.Token(6);
    out.Count(3);
    for (uint32_t value : {1u, 1u, 0u}) out.Count(value);
    out.Name("Material");
    out.Token(10);
    out.Token(7);
    out.Count(11);
    for (float value : {0.8f, 0.7f, 0.6f, 1.0f, 10.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f}) out.Put(&value, 4);
    for (int i = 0; i < 4; ++i) out.Token(11);
    return out.Text();
}

size_t ReadOurs(ByteSpan bytes) { return FacesFromBytes(ReadXModel, bytes); }

// Peak memory first, while this process holds no input a child would inherit.
void Measure(const char* label, const std::string& path, int runs) {
    const uint64_t size = FileBytes(path);
    std::printf("%s (%.1f MB)\n", label, double(size) / 1e6);
    PrintFigure("  peak memory, read the bytes + ReadXModel", PeakMemoryMbInChild([&] { ReadOurs(LoadBytes(path)); }), "MB");
#ifdef PRISMO_HAVE_ASSIMP
    PrintFigure("  peak memory, assimp Importer::ReadFile", PeakMemoryMbInChild([&] { AssimpFaceCount(path); }), "MB");
#endif
    std::printf("  %zu triangles read\n", ReadOurs(LoadBytes(path)));
    const double floor = ReadBytesMs(path, runs);
    PrintThroughput("read the file's bytes (floor)", floor, size);
    {
        const std::vector<uint8_t> bytes = LoadBytes(path);
        PrintThroughput("prismodirect ReadXModel over the bytes", MedianMs(runs, [&] { ReadOurs(bytes); }), size);
    }
    const double ours = MedianMs(runs, [&] { ReadOurs(LoadBytes(path)); });
    PrintThroughput("prismodirect read the bytes + ReadXModel", ours, size);
#ifdef PRISMO_HAVE_ASSIMP
    std::printf("  assimp reads %zu faces\n", AssimpFaceCount(path));
    const double baseline = MedianMs(runs, [&] { AssimpFaceCount(path); });
    char note[64];
    std::snprintf(note, sizeof note, "ours is %.2fx its throughput", baseline / ours);
    PrintThroughput("assimp Importer::ReadFile", baseline, size, note);
#else
    std::printf("  assimp not found: no baseline\n");
#endif
}

}  // namespace

int main() {
    const std::string text = CachedInput("surface_1m_text.x", TextFile);
    const std::string binary = CachedInput("surface_1m_bin.x", BinaryFile);

    std::printf("peak resident memory of a child process\n");
    PrintFigure("doing nothing", PeakMemoryMbInChild([] {}), "MB");
    PrintFigure("GetPicture of the text file", PeakMemoryMbInChild([&] { NativeGetPicture("prismodirect", text); }), "MB");

    Measure("text .x", text, 7);
    Measure("binary .x", binary, 7);

    std::printf("whole native GetPicture (read, fit, render 320x240)\n");
    NativeGetPicture("prismodirect", text);  // loads the plug-in and the renderer
    PrintFigure("text file", MedianMs(3, [&] { NativeGetPicture("prismodirect", text); }), "ms");
    PrintFigure("binary file", MedianMs(3, [&] { NativeGetPicture("prismodirect", binary); }), "ms");
    return 0;
}
