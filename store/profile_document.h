#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace profile {

// What a lookup of one key found. `value` is the stored text, trimmed and cut at a NUL, still
// quoted; it stays valid until the document is changed.
struct Lookup {
    enum class Kind { Missing, NoValue, Value };
    Kind kind = Kind::Missing;
    std::string_view value;
};

// The parsed text of one profile file. It keeps every byte it was given: lines that no write
// touches are serialised exactly as they were read, with their own line ends.
class ProfileDocument {
public:
    ProfileDocument();
    static ProfileDocument Parse(std::string bytes);

    // Section and key are expected trimmed; names compare without regard to ASCII case.
    Lookup Find(std::string_view section, std::string_view key) const;

    // Stores key=value in the first section of that name, adding the key or the section when
    // missing. Returns false when the key already had exactly this value (nothing changed).
    // Callers pass a value without line breaks and a storable section and key (IsStorableSection,
    // IsStorableKey).
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize() const;
    std::size_t SerializedSize() const;
    // Bytes held for the text, including replaced versions of rewritten lines.
    std::size_t HeldBytes() const { return text_.size(); }

    // Section by section, for operations that rewrite whole sections (renumbering cards).
    // Section 0 holds the lines before the first header; it has no name and no header.
    struct LineView {
        bool isKey = false;  // an entry, or a line without "=" that still names a key
        std::string_view content, lineEnd;
        std::string_view name, value;  // value as stored, still quoted
    };
    std::size_t SectionCount() const { return sections_.size(); }
    std::string_view SectionName(std::size_t index) const;
    // Whether reads of the section's name reach this section (it is the first of its name).
    bool IsFirstOfName(std::size_t index) const;
    std::string_view HeaderContent(std::size_t index) const;  // the header line without its line end
    std::string_view HeaderLineEnd(std::size_t index) const;
    template <typename Visit>
    void ForEachLine(std::size_t index, Visit&& visit) const {
        for (const Line& line : sections_[index].body) visit(ViewOf(line));
    }
    // Appends the section's lines (not its header) as stored, each ending in a line end.
    void AppendBody(std::size_t index, std::string& out) const;

    // A key that would read back as something else (a comment, a section header, a shorter key)
    // cannot be stored.
    static bool IsStorableKey(std::string_view key);
    // Nor can a section whose header would read back as another name: one with a NUL, or one
    // ending in a lone lead byte, which would take the closing "]" as its second byte.
    static bool IsStorableSection(std::string_view section);

private:
    enum class Kind : std::uint8_t { Blank, Comment, Header, Entry, Bare };
    struct Line {
        std::size_t begin = 0, length = 0;        // content, without the line end
        std::size_t eolBegin = 0, eolLength = 0;  // the line end as read
        std::size_t nameBegin = 0, nameLength = 0;
        std::size_t valueBegin = 0, valueLength = 0;
        std::uint32_t nameHash = 0;
        Kind kind = Kind::Blank;
    };
    struct Section {
        std::string foldedName;
        bool hasHeader = false;
        Line header;
        std::vector<Line> body;
    };

    void Classify(Line& line) const;
    LineView ViewOf(const Line& line) const;
    Line AppendLine(std::string_view content, std::string_view lineEnd = "\r\n");
    void EnsureLineEnd(Line& line);
    std::string_view View(std::size_t begin, std::size_t length) const { return {text_.data() + begin, length}; }
    static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
    std::size_t FindKey(const Section& section, std::string_view foldedKey, std::uint32_t hash) const;
    Line* LastLine();

    std::string text_;
    std::vector<Section> sections_;  // sections_[0] holds the lines before the first header
    std::unordered_map<std::string, std::size_t> firstSection_;
};

}  // namespace profile
