// Table cases of LightWave files, checked alike from a file and from memory.
#pragma once

#include "readers/lwo/lwo_reader.h"
#include "tests/support/test_support.h"
#include "tests/unit/lwo/lwo_builder.h"

// A table case: chunks of one form and what reading them gives, alike from
// a file and from memory.
struct LwoCase {
    const char* name;
    std::string chunks;
    std::vector<std::vector<int32_t>> faces;
    std::vector<int32_t> materials;
    std::vector<RgbColor> colors = {};  // per face; checked for faces with a material
};

inline void ExpectBothFormsRead(const char* formType, const LwoCase& c) {
    const std::string file = Form(formType, c.chunks);
    for (const ReadOutcome& outcome : {ReadAsFile(ReadLwoModel, AsBytes(file)), ReadAsMemory(ReadLwoModel, AsBytes(file))}) {
        EXPECT_EQ(outcome.result, 0);
        EXPECT_EQ(FaceCorners(outcome.model), c.faces);
        ASSERT_EQ(outcome.model.faces.size(), c.materials.size());
        for (size_t f = 0; f < c.materials.size(); ++f) {
            const FaceRecord& face = outcome.model.faces[f];
            EXPECT_EQ(face.materialIndex, c.materials[f]) << "face " << f;
            if (face.materialIndex >= 0 && f < c.colors.size()) {
                EXPECT_EQ(outcome.model.Color(face), c.colors[f]) << "face " << f;
            }
        }
    }
}
