// Parses arbitrary bytes as a design file, checking what must hold for any file: a design that is
// read holds a name, a usable tag size and no more keys than a design may, reads the same when
// written out and parsed again, and scales to any label size (the sanitizers watch the arithmetic).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "designs/design.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

bool SameKeys(const cards::Design& a, const cards::Design& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].value != b[i].value) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string problem;
    const std::optional<designs::Design> design =
        designs::ParseDesign(std::string(reinterpret_cast<const char*>(data), size), problem);
    if (!design) {
        Require(!problem.empty(), "a refusal says why");
        return 0;
    }
    Require(!design->name.empty(), "a design has a name");
    Require(design->size.width > 0 && design->size.height > 0, "a design has a tag size");
    Require(design->card.size() + design->frame.size() <= designs::kMostDesignKeys, "a design's keys are bounded");

    const std::optional<designs::Design> again = designs::ParseDesign(designs::SerializeDesign(*design), problem);
    Require(again.has_value(), "a written design reads back");
    Require(again->name == design->name && again->size.width == design->size.width &&
                again->size.height == design->size.height,
            "a written design keeps its name and size");
    Require(SameKeys(again->card, design->card) && SameKeys(again->frame, design->frame), "a written design keeps its keys");

    for (const LabelExtent target : {LabelExtent{1, 1}, LabelExtent{358, 216}, LabelExtent{3937, 3937}}) {
        Require(designs::CardKeysFor(*design, 1, target).size() == design->card.size(), "scaling keeps every card key");
        Require(designs::FrameKeysFor(*design, target).size() == design->frame.size(), "scaling keeps every frame key");
        Require(!designs::OwnFrameKeysFor(*design, 3, target).empty(), "a card's own frame says whether there is one");
    }
    return 0;
}
