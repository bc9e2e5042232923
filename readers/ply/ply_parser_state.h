// What a PlyParser holds, shared by the parser's own files.
#pragma once

#include <string_view>

#include "readers/ply/ply_input.h"
#include "readers/ply/ply_parser.h"

struct PlyParser {
    PlyParser(std::FILE* file, const uint8_t* image, size_t imageBytes, int64_t totalBytes,
              PlyErrorReporter errorReporter)
        : input(file, image, imageBytes), inputBytes(totalBytes), reporter(errorReporter) {}

    PlyInput input;
    int64_t inputBytes;
    PlyErrorReporter reporter;
    PlyStorage storage = kPlyAscii;
    std::vector<PlyElement> elements;
    std::vector<std::string> comments;
    std::vector<std::string> objInfos;
};

// Formats the message and hands it to the parser's reporter.
[[gnu::format(printf, 2, 3)]] void ReportPlyError(const PlyParser& parser, const char* format, ...);
void ReportPlyError(PlyErrorReporter reporter, const char* message);

// A word of the header or of an ASCII body; the view lasts until the next read.
struct PlyWord {
    std::string_view text;
    bool endsLine = false;  // its separator was the line feed
    bool endsWithReturn = false;  // its separator was a carriage return
};
// Read a word (shorter than 256 characters) or the rest of a line (shorter
// than 1024), reporting why when they cannot.
bool ReadPlyWord(PlyParser& parser, PlyWord& word);
bool ReadPlyLine(PlyParser& parser, std::string_view& line);
