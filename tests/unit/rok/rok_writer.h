// Writes .rok files from points, edges, faces and palette colours, laid out
// record by record as Rokkaku Daioh stores them, for tests and benchmarks.
#pragma once

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/model/model_geometry.h"

struct RokWriter {
    struct Face {
        int32_t paletteNumber;
        std::vector<int32_t> edgeNumbers;  // as written: counted from 1
    };

    std::vector<Point3f> points;
    std::vector<std::pair<int32_t, int32_t>> edges;  // as written: counted from 1
    std::vector<Face> faces;
    std::vector<std::array<int32_t, 3>> palette;
    bool writePalette = false;
    int32_t headerLines = 14;
    std::string lineEnd = "\r";

    // A face over a loop of 0-based points, sharing the edges of earlier
    // faces. The first edge listed runs in the loop's direction (a shared
    // edge runs the other way, so the loop starts at an edge of its own).
    // Returns the corners the reader's edge walk gives.
    std::vector<int32_t> AddLoop(const std::vector<int32_t>& loop, int32_t paletteNumber) {
        const size_t n = loop.size();
        std::vector<int32_t> numbers(n);
        size_t start = n;
        for (size_t k = 0; k < n; ++k) {
            const int32_t a = loop[k], b = loop[(k + 1) % n];
            auto found = edgeNumbers_.find({std::min(a, b), std::max(a, b)});
            if (found == edgeNumbers_.end()) {
                edges.push_back({a + 1, b + 1});
                found = edgeNumbers_.insert({{std::min(a, b), std::max(a, b)}, int32_t(edges.size())}).first;
            }
            numbers[k] = found->second;
            if (start == n && edges[size_t(found->second - 1)].first == a + 1) start = k;
        }
        if (start == n) {  // every edge runs the other way: give the face one of its own
            edges.push_back({loop[0] + 1, loop[1] + 1});
            numbers[0] = int32_t(edges.size());
            start = 0;
        }
        Face face{paletteNumber, {}};
        std::vector<int32_t> corners;
        for (size_t k = 0; k < n; ++k) {
            face.edgeNumbers.push_back(numbers[(start + k) % n]);
            corners.push_back(loop[(start + k) % n]);
        }
        faces.push_back(face);
        return corners;
    }

    std::string Write() const {
        std::string text;
        auto line = [&](const std::string& item) { text += item + lineEnd; };
        line("ROKU4 test model");
        for (int32_t k = 0; k < headerLines; ++k) line("0");
        line("POINT");
        for (const Point3f& p : points) {
            for (int k = 0; k < 5; ++k) line("0");
            line(Number(p.x));
            line(Number(p.y));
            line(Number(p.z));
        }
        line("LINE0");
        for (const auto& [first, second] : edges) {
            line(std::to_string(first));
            line(std::to_string(second));
            line("0");
            line("0");
        }
        line("FACE0");
        for (const Face& face : faces) {
            line(std::to_string(face.edgeNumbers.size()));
            line(std::to_string(face.paletteNumber));
            line("0");
            for (int32_t number : face.edgeNumbers) line(std::to_string(number));
        }
        line("END00");
        if (writePalette) {
            line("PALC0");
            line("0");
            line("0");
            for (const auto& rgb : palette) {
                for (int32_t channel : rgb) line(std::to_string(channel));
                for (int k = 0; k < 4; ++k) line("0");
            }
            line("ENDP0");
        }
        return text;
    }

private:
    static std::string Number(float value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.9g", double(value));
        return buffer;
    }

    std::map<std::pair<int32_t, int32_t>, int32_t> edgeNumbers_;
};
