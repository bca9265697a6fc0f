// Parses arbitrary bytes as a profile file, then writes keys named after pieces of those bytes,
// checking what must hold for any file: every byte is kept, a written value reads back, a write
// touches no other key, a key reads alike at a section's first read and after, and the written
// text reads the same when parsed again.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "store/cp932.h"
#include "store/profile_document.h"

namespace {

using profile::Lookup;
using profile::ProfileDocument;

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// A lookup that outlives changes to the document.
struct Found {
    Lookup::Kind kind;
    std::string value;
    bool operator==(const Found& other) const { return kind == other.kind && value == other.value; }
};

Found Get(const ProfileDocument& doc, std::string_view section, std::string_view key) {
    const Lookup found = doc.Find(section, key);
    return {found.kind, std::string(found.value)};
}

// Pieces of the input between the bytes that carry syntax, so that derived names often name real
// sections and keys.
std::vector<std::string_view> Pieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t begin = 0;
    for (std::size_t pos = 0; pos <= text.size(); ++pos) {
        if (pos == text.size() || std::string_view("[]=\r\n").find(text[pos]) != std::string_view::npos) {
            pieces.push_back(text.substr(begin, pos - begin));
            begin = pos + 1;
        }
    }
    return pieces;
}

// One piece, or a run of up to three with the syntax bytes between them.
std::string_view PickText(FuzzedDataProvider& choices, std::string_view text, const std::vector<std::string_view>& pieces) {
    const std::size_t first = choices.ConsumeIntegralInRange<std::size_t>(0, pieces.size() - 1);
    const std::size_t last = std::min(pieces.size() - 1, first + choices.ConsumeIntegralInRange<std::size_t>(0, 2));
    const std::size_t begin = static_cast<std::size_t>(pieces[first].data() - text.data());
    const std::size_t end = static_cast<std::size_t>(pieces[last].data() - text.data()) + pieces[last].size();
    return text.substr(begin, end - begin);
}

// A name or value as the program hands it over: one line, no NUL, no surrounding blanks.
std::string Clean(std::string_view text) {
    std::string clean(text);
    for (char& c : clean)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    return std::string(cp932::TrimBlanks(clean));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    ProfileDocument doc = ProfileDocument::Parse(input);
    Require(doc.Serialize() == input, "parsing keeps every byte");
    Require(doc.SerializedSize() == input.size(), "the serialised size is the input size");

    FuzzedDataProvider choices(data, size);
    const std::vector<std::string_view> pieces = Pieces(input);
    for (int write = 0; write < 4 && choices.remaining_bytes() > 0; ++write) {
        const std::string section = Clean(PickText(choices, input, pieces));
        const std::string key = Clean(PickText(choices, input, pieces));
        const std::string value = Clean(PickText(choices, input, pieces));
        // Looked up as they are, cleaned or not.
        const std::string otherSection(PickText(choices, input, pieces));
        const std::string otherKey(PickText(choices, input, pieces));
        if (!ProfileDocument::IsStorableSection(section) || !ProfileDocument::IsStorableKey(key)) continue;

        const Found written{Lookup::Kind::Value, value};
        const Found before = Get(doc, section, key);
        const Found other = Get(doc, otherSection, otherKey);
        const std::string text = doc.Serialize();
        // A section's first read looks through its lines, a later one uses its index.
        const ProfileDocument fresh = ProfileDocument::Parse(text);
        const Found looked = Get(fresh, otherSection, otherKey);
        Require(looked == other, "a fresh copy reads as the document");
        Require(Get(fresh, otherSection, otherKey) == looked, "a key reads alike looked through and indexed");
        const bool changed = doc.Set(section, key, value);
        Require(changed == !(before == written), "a write changes what differs");
        if (!changed) Require(doc.Serialize() == text, "an unchanged value leaves the text alone");
        Require(Get(doc, section, key) == written, "a written value reads back");
        const bool sameKey = cp932::FoldAsciiCase(otherSection) == cp932::FoldAsciiCase(section) &&
                             cp932::FoldAsciiCase(otherKey) == cp932::FoldAsciiCase(key);
        if (!sameKey) Require(Get(doc, otherSection, otherKey) == other, "a write leaves other keys alone");

        const ProfileDocument reread = ProfileDocument::Parse(doc.Serialize());
        Require(Get(reread, section, key) == written, "a written value reads back from the text");
        Require(Get(reread, otherSection, otherKey) == Get(doc, otherSection, otherKey), "the text reads as the document");
    }
    return 0;
}
