// Metasequoia documents: our reader on a generated surface of about 1M
// triangles over 500K vertices, its vertices as text lines and as one
// BVertex block, against the time to read the file's bytes (no common
// library reads the format); then the whole native GetPicture.
#include <algorithm>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "bench/bench_support.h"
#include "readers/mqo/mqo_reader.h"

namespace {

constexpr int kSide = 708;  // 501,264 vertices, 999,698 triangles

float Height(int row, int column) { return 5.0f * std::sin(row * 0.05f) * std::cos(column * 0.07f); }

std::string Document(bool rawVertices) {
    std::string out =
        "Metasequoia Document\r\nFormat Text Ver 1.1\r\n\r\nScene {\r\n\tpos 0 0 1500\r\n\tlookat 0 0 0\r\n}\r\n"
        "Material 1 {\r\n\t\"mat1\" shader(3) col(0.800 0.700 0.600 1.000) dif(0.800) amb(0.600)\r\n}\r\n"
        "Object \"surface\" {\r\n\tdepth 0\r\n\tvisible 15\r\n\tshading 1\r\n\tfacet 59.5\r\n";
    const int vertices = kSide * kSide;
    char line[96];
    if (rawVertices) {
        out += "\tBVertex " + std::to_string(vertices) + " {\r\n\t\tVector " + std::to_string(vertices) + " [" +
               std::to_string(vertices * 12) + "]\r\n";
    } else {
        out += "\tvertex " + std::to_string(vertices) + " {\r\n";
    }
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            const float point[3] = {column * 0.5f - 177.0f, Height(row, column), row * 0.5f - 177.0f};
            if (rawVertices) {
                out.append(reinterpret_cast<const char*>(point), sizeof point);
            } else {
                out.append(line, size_t(std::snprintf(line, sizeof line, "\t\t%.4f %.4f %.4f\r\n", point[0], point[1], point[2])));
            }
        }
    }
    if (rawVertices) out += "\r\n";
    out += "\t}\r\n\tface " + std::to_string(2 * (kSide - 1) * (kSide - 1)) + " {\r\n";
    for (int row = 0; row + 1 < kSide; ++row) {
        for (int column = 0; column + 1 < kSide; ++column) {
            const int corner = row * kSide + column;
            out.append(line, size_t(std::snprintf(line, sizeof line, "\t\t3 V(%d %d %d) M(0)\r\n", corner, corner + 1, corner + kSide)));
            out.append(line, size_t(std::snprintf(line, sizeof line, "\t\t3 V(%d %d %d) M(0)\r\n", corner + 1, corner + kSide + 1, corner + kSide)));
        }
    }
    out += "\t}\r\n}\r\nEof\r\n";
    return out;
}

size_t ReadOurs(ByteSpan bytes) { return FacesFromBytes(ReadMqoModel, bytes); }

void Measure(const char* label, const std::string& path, int runs) {
    const uint64_t size = FileBytes(path);
    const std::vector<uint8_t> bytes = LoadBytes(path);
    std::printf("%s (%.1f MB, %zu triangles read)\n", label, double(size) / 1e6, ReadOurs(bytes));
    const double floor = ReadBytesMs(path, runs);
    PrintThroughput("read the file's bytes (floor)", floor, size);
    const double parse = MedianMs(runs, [&] { ReadOurs(bytes); });
    char note[64];
    std::snprintf(note, sizeof note, "%.2fx the time to read the bytes", parse / floor);
    PrintThroughput("prismoseq ReadMqoModel over the bytes", parse, size, note);
    PrintThroughput("prismoseq ReadMqoModel, processor time", MedianCpuMs(runs, [&] { ReadOurs(bytes); }), size);
    PrintThroughput("prismoseq read the bytes + ReadMqoModel", MedianMs(runs, [&] { ReadOurs(LoadBytes(path)); }), size);
}

}  // namespace

int main() {
    const std::string text = CachedInput("surface_1m_text.mqo", [] { return Document(false); });
    const std::string raw = CachedInput("surface_1m_bvertex.mqo", [] { return Document(true); });

    std::printf("peak resident memory of a child process\n");
    PrintFigure("doing nothing", PeakMemoryMbInChild([] {}), "MB");
    PrintFigure("GetPicture of the text document", PeakMemoryMbInChild([&] { NativeGetPicture("prismoseq", text); }), "MB");
    PrintFigure("ReadMqoModel of the text document", PeakMemoryMbInChild([&] { ReadOurs(LoadBytes(text)); }), "MB");

    Measure("MQO with text vertices", text, 7);
    Measure("MQO with a BVertex block", raw, 7);

    std::printf("whole native GetPicture (read, fit, render 320x240)\n");
    NativeGetPicture("prismoseq", text);  // loads the plug-in and the renderer
    PrintFigure("text document", MedianMs(3, [&] { NativeGetPicture("prismoseq", text); }), "ms");
    return 0;
}
