#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
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

// A key name as it is compared, worked out once for many lookups of the same name. The name is
// one as looked up: without line breaks or surrounding blanks.
class KeyName {
public:
    explicit KeyName(std::string_view name);
    std::string_view Name() const { return name_; }
    std::uint32_t Hash() const { return hash_; }

private:
    std::string name_;
    std::uint32_t hash_;
};

// The name of the section whose header is the line (without its line end), trimmed and cut at a
// NUL, as a view into the line; none when the line is no header.
std::optional<std::string_view> SectionHeaderName(std::string_view line);

// The text of one profile file. It keeps the file's bytes once and indexes only its sections;
// the lines of a section are found when it is read, and the keys of the few sections read last
// are kept indexed, so that the reads of one card cost one pass over its section. Lines that no
// write touches are serialised exactly as they were read, with their own line ends.
class ProfileDocument {
public:
    ProfileDocument();
    static ProfileDocument Parse(std::string bytes);

    // Section and key are expected trimmed; names compare without regard to ASCII case.
    Lookup Find(std::string_view section, std::string_view key) const;
    // The same in two steps: the section found once (kNoSection when there is none of the name),
    // then its keys.
    static constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);
    std::size_t FindSection(std::string_view section) const;
    Lookup FindIn(std::size_t section, const KeyName& key) const;
    Lookup FindIn(std::size_t section, std::string_view key) const;

    // Stores key=value in the first section of that name, adding the key or the section when
    // missing. Returns false when the key already had exactly this value (nothing changed).
    // Callers pass a value without line breaks and a storable section and key (IsStorableSection,
    // IsStorableKey).
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // Removes the key from the first section of that name. False when it was not there.
    bool Remove(std::string_view section, std::string_view key);

    std::string Serialize() const;
    std::size_t SerializedSize() const;
    // Bytes held for the text, including replaced versions of rewritten lines.
    std::size_t HeldBytes() const { return text_.size(); }
    // Bytes of the index besides the text (sections, rewritten lines, the keys kept indexed).
    std::size_t IndexBytes() const;

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
        ForEachSpan(index, [&](const Span& span) { visit(ViewOf(span)); });
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
    // One line of the text: its content and its line end (the run of CR and LF after it).
    struct Span {
        std::size_t begin = 0, length = 0;
        std::size_t eolBegin = 0, eolLength = 0;
    };
    // What a line is, worked out from its text when needed.
    struct Parsed {
        Kind kind = Kind::Blank;
        std::size_t nameBegin = 0, nameLength = 0;
        std::size_t valueBegin = 0, valueLength = 0;
    };
    struct Section {
        Span header;
        std::size_t bodyBegin = 0, bodyEnd = 0;  // the lines as read, while the section is unchanged
        std::size_t nameBegin = 0, nameLength = 0;
        std::uint32_t nameHash = 0;
        bool hasHeader = false;
        bool changed = false;  // its lines are in changed_
    };
    // A key of a section kept indexed.
    struct IndexedKey {
        std::uint32_t hash = 0;
        bool hasValue = false;
        std::size_t nameBegin = 0, nameLength = 0;
        std::size_t valueBegin = 0, valueLength = 0;
    };
    struct IndexedSection {
        std::size_t section = kNoSection;
        std::uint64_t used = 0;
        std::vector<IndexedKey> keys;  // in file order
        // Open addressing by name hash: 1 + the index of a key, 0 for free. Probing meets the
        // keys of one name in file order, so the first is found first.
        std::vector<std::uint32_t> buckets;
    };

    Parsed Classify(const Span& span) const;
    LineView ViewOf(const Span& span) const;
    std::string_view View(std::size_t begin, std::size_t length) const { return {text_.data() + begin, length}; }

    // The lines of the section in order, from the text as read or from its changed lines.
    template <typename Visit>
    void ForEachSpan(std::size_t index, Visit&& visit) const {
        AnySpan(index, [&](const Span& span) {
            visit(span);
            return false;
        });
    }
    // The same up to the first line for which visit returns true; whether there was one.
    template <typename Visit>
    bool AnySpan(std::size_t index, Visit&& visit) const {
        const Section& section = sections_[index];
        if (section.changed) {
            for (const Span& span : changed_.at(index))
                if (visit(span)) return true;
            return false;
        }
        for (std::size_t pos = section.bodyBegin; pos < section.bodyEnd;)
            if (visit(NextLine(pos, section.bodyEnd))) return true;
        return false;
    }
    Span NextLine(std::size_t& pos, std::size_t end) const;

    const IndexedSection& Indexed(std::size_t section) const;
    // Whether the section is indexed now, or else was looked through lately: marks it so.
    bool SeenBefore(std::size_t section) const;
    Lookup Scan(std::size_t section, std::string_view key) const;
    Lookup FindKey(std::size_t section, std::string_view key, std::uint32_t hash) const;
    std::size_t LookUpSection(std::string_view section) const;
    std::vector<Span>& ChangedLines(std::size_t section);
    Span AppendLine(std::string_view content, std::string_view lineEnd = "\r\n");
    void EnsureLineEnd(Span& line);
    Span* LastLine();
    void AddSection(const Span& header);
    void RebuildTable();

    std::string text_;
    std::vector<Section> sections_;  // sections_[0] holds the lines before the first header
    std::unordered_map<std::size_t, std::vector<Span>> changed_;
    // Open addressing by name hash: 1 + the index of the first section of each name, 0 for free.
    std::vector<std::uint32_t> table_;
    mutable std::array<IndexedSection, 4> indexed_;
    mutable std::uint64_t uses_ = 0;
    // The sections last looked through without an index.
    mutable std::array<std::size_t, 4> scanned_{kNoSection, kNoSection, kNoSection, kNoSection};
    mutable std::size_t nextScanned_ = 0;
    // The sections last asked for by name, exactly as asked.
    struct RecentSection {
        std::string name;
        std::size_t index = kNoSection;
    };
    mutable std::array<RecentSection, 4> recent_;
    mutable std::size_t nextRecent_ = 0;
};

}  // namespace profile
