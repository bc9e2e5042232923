// The header: the format line, then element, property, comment and
// obj_info lines up to "end_header".
#include <iterator>

#include "readers/common/text_input.h"
#include "readers/ply/ply_parser_state.h"

namespace {

constexpr const char* kStorageNames[] = {"binary_big_endian", "binary_little_endian", "ascii"};

// The sixteen type names; the second eight are aliases of the first.
constexpr const char* kTypeNames[] = {"int8", "uint8", "int16", "uint16", "int32", "uint32", "float32",
                                      "float64", "char", "uchar", "short", "ushort", "int", "uint",
                                      "float", "double"};

bool LookUpType(std::string_view name, PlyType& type) {
    for (size_t i = 0; i < std::size(kTypeNames); ++i) {
        if (name == kTypeNames[i]) {
            type = PlyType(i % 8);
            return true;
        }
    }
    return false;
}

bool ReadTypeWord(PlyParser& parser, PlyType& type) {
    PlyWord word;
    if (!ReadPlyWord(parser, word)) return false;
    if (LookUpType(word.text, type)) return true;
    ReportPlyError(parser, "Invalid file format");
    return false;
}

// The format line and the word after it.
bool ReadFormatLine(PlyParser& parser, PlyWord& word) {
    if (!ReadPlyWord(parser, word) || word.text != "format") return false;
    if (!ReadPlyWord(parser, word)) return false;
    bool known = false;
    for (size_t i = 0; i < std::size(kStorageNames); ++i) {
        if (word.text == kStorageNames[i]) {
            parser.storage = PlyStorage(i);
            known = true;
        }
    }
    if (!known || !ReadPlyWord(parser, word) || word.text != "1.0") return false;
    return ReadPlyWord(parser, word);
}

// The rest of the line after `word`; empty when the word ended the line, so
// that a bare "comment" never swallows the line below it.
bool ReadRestOfLine(PlyParser& parser, const PlyWord& word, std::string& text) {
    text.clear();
    if (word.endsLine) return true;
    std::string_view line;
    if (!ReadPlyLine(parser, line)) return false;
    text.assign(line);
    return true;
}

// "comment" and "obj_info" lines, then the next word.
bool ReadTextLine(PlyParser& parser, PlyWord& word) {
    std::vector<std::string>& list = word.text == "comment" ? parser.comments : parser.objInfos;
    std::string text;
    if (!ReadRestOfLine(parser, word, text)) return false;
    list.push_back(std::move(text));
    return ReadPlyWord(parser, word);
}

bool IsTextLine(std::string_view keyword) { return keyword == "comment" || keyword == "obj_info"; }

// "property <type> <name>" or "property list <length type> <entry type> <name>".
bool ReadPropertyLine(PlyParser& parser, PlyElement& element, PlyWord& word) {
    PlyProperty property;
    if (!ReadPlyWord(parser, word)) return false;
    if (word.text == "list") {
        property.type = kPlyList;
        if (!ReadTypeWord(parser, property.lengthType) || !ReadTypeWord(parser, property.entryType)) return false;
    } else if (!LookUpType(word.text, property.type)) {
        ReportPlyError(parser, "Invalid file format");
        return false;
    }
    if (!ReadPlyWord(parser, word)) return false;
    property.name.assign(word.text);
    element.properties.push_back(std::move(property));
    return ReadPlyWord(parser, word);
}

// "element <name> <count>" and the property and text lines that follow it;
// leaves the first word of the next line in `word`.
bool ReadElementBlock(PlyParser& parser, PlyWord& word) {
    PlyElement element;
    if (!ReadPlyWord(parser, word)) return false;
    element.name.assign(word.text);
    if (!ReadPlyWord(parser, word)) return false;
    if (ParseCInt(word.text, element.count) == 0) {
        ReportPlyError(parser, "Expected number got '%.*s'", int(word.text.size()), word.text.data());
        return false;
    }
    parser.elements.push_back(std::move(element));
    if (!ReadPlyWord(parser, word)) return false;
    for (;;) {
        if (word.text == "property") {
            if (!ReadPropertyLine(parser, parser.elements.back(), word)) return false;
        } else if (IsTextLine(word.text)) {
            if (!ReadTextLine(parser, word)) return false;
        } else {
            return true;
        }
    }
}

bool ReadHeader(PlyParser& parser) {
    PlyWord word;
    if (!ReadFormatLine(parser, word)) {
        ReportPlyError(parser, "Invalid file format");
        return false;
    }
    while (word.text != "end_header") {
        if (word.text == "element") {
            if (!ReadElementBlock(parser, word)) return false;
        } else if (IsTextLine(word.text)) {
            if (!ReadTextLine(parser, word)) return false;
        } else {
            // Lines of an unknown kind are passed over.
            std::string ignored;
            if (!ReadRestOfLine(parser, word, ignored) || !ReadPlyWord(parser, word)) return false;
        }
    }
    // Headers written with CR LF line ends are common; the body starts after
    // the whole line end, not inside it (a binary body would be read a byte
    // late and come out garbled).
    if (word.endsWithReturn) parser.input.SkipIf('\n');
    return true;
}

}  // namespace

int32_t ReadPlyHeader(PlyParser* parser) {
    if (!parser) return 0;
    try {
        return ReadHeader(*parser) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        ReportPlyError(parser->reporter, "Out of memory");
        return 0;
    }
}
