#include "store/profile_document.h"

#include <cstring>

#include "store/cp932.h"

namespace profile {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string_view CutAtNul(std::string_view text) {
    const std::size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

// FNV-1a over the name as compared: ASCII letters folded, double-byte characters as they are.
std::uint32_t FoldedHash(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t len = cp932::CharLength(name, pos);
        for (std::size_t k = 0; k < len; ++k) {
            unsigned char c = static_cast<unsigned char>(name[pos + k]);
            if (len == 1 && c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
            hash = (hash ^ c) * 16777619u;
        }
        pos += len;
    }
    return hash;
}

char FoldByte(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether a stored name is the name asked for: ASCII letters of single-byte characters compare
// without case, everything else exactly.
bool SameName(std::string_view stored, std::string_view asked) {
    if (stored.size() != asked.size()) return false;
    if (stored == asked) return true;  // as the program writes them, mostly
    for (std::size_t pos = 0; pos < stored.size();) {
        const std::size_t len = cp932::CharLength(stored, pos);
        if (len == 1) {
            if (FoldByte(stored[pos]) != FoldByte(asked[pos])) return false;
        } else if (stored.compare(pos, len, asked, pos, len) != 0) {
            return false;
        }
        pos += len;
    }
    return true;
}

}  // namespace

KeyName::KeyName(std::string_view name) : name_(name), hash_(FoldedHash(name)) {}

ProfileDocument::ProfileDocument() : sections_(1) {}

bool ProfileDocument::IsStorableKey(std::string_view key) {
    return !key.empty() && key.front() != '[' && key.front() != ';' &&
           cp932::FindChar(key, '=') == std::string_view::npos && key.find('\0') == std::string_view::npos;
}

bool ProfileDocument::IsStorableSection(std::string_view section) {
    const std::string header = "[" + std::string(section) + "]";
    return section.find('\0') == std::string_view::npos && cp932::FindLastChar(header, ']') == header.size() - 1;
}

std::optional<std::string_view> SectionHeaderName(std::string_view line) {
    const std::string_view trimmed = cp932::TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    const std::size_t close = cp932::FindLastChar(trimmed, ']');
    if (close == std::string_view::npos) return std::nullopt;
    return cp932::TrimBlanks(CutAtNul(trimmed.substr(1, close - 1)));
}

ProfileDocument::Parsed ProfileDocument::Classify(const Span& span) const {
    const std::string_view content = View(span.begin, span.length);
    const std::string_view trimmed = cp932::TrimBlanks(content);
    const std::size_t offset = span.begin + static_cast<std::size_t>(trimmed.data() - content.data());
    const auto at = [&](std::string_view part) { return offset + static_cast<std::size_t>(part.data() - trimmed.data()); };
    Parsed line;
    if (trimmed.empty()) return line;
    if (trimmed.front() == ';') {
        line.kind = Kind::Comment;
        return line;
    }
    if (const std::optional<std::string_view> name = SectionHeaderName(trimmed)) {
        line.kind = Kind::Header;
        line.nameBegin = at(*name);
        line.nameLength = name->size();
        return line;
    }
    const std::size_t equals = cp932::FindChar(trimmed, '=');
    std::string_view name = trimmed;
    if (equals == std::string_view::npos) {
        line.kind = Kind::Bare;
    } else {
        line.kind = Kind::Entry;
        name = trimmed.substr(0, equals);
        const std::string_view afterEquals = trimmed.substr(equals + 1);
        const std::string_view rest = cp932::TrimBlanks(afterEquals);
        // An empty value still has a place: just after the "=" and any blanks after it.
        const std::string_view value = rest.empty() ? afterEquals.substr(afterEquals.size()) : CutAtNul(rest);
        line.valueBegin = at(value);
        line.valueLength = value.size();
    }
    name = cp932::TrimBlanks(CutAtNul(name));
    line.nameBegin = at(name);
    line.nameLength = name.size();
    return line;
}

ProfileDocument::Span ProfileDocument::NextLine(std::size_t& pos, std::size_t end) const {
    Span line;
    line.begin = pos;
    const char* const data = text_.data();
    // The first CR or LF: LF only before the first CR, found a block at a time.
    const void* const cr = std::memchr(data + pos, '\r', end - pos);
    const std::size_t limit = cr == nullptr ? end : static_cast<std::size_t>(static_cast<const char*>(cr) - data);
    const void* const lf = std::memchr(data + pos, '\n', limit - pos);
    pos = lf == nullptr ? limit : static_cast<std::size_t>(static_cast<const char*>(lf) - data);
    line.length = pos - line.begin;
    line.eolBegin = pos;
    while (pos < end && (data[pos] == '\r' || data[pos] == '\n')) ++pos;
    line.eolLength = pos - line.eolBegin;
    return line;
}

void ProfileDocument::AddSection(const Span& header) {
    Section section;
    section.header = header;
    section.hasHeader = true;
    const Parsed parsed = Classify(header);
    section.nameBegin = parsed.nameBegin;
    section.nameLength = parsed.nameLength;
    section.nameHash = FoldedHash(View(parsed.nameBegin, parsed.nameLength));
    sections_.push_back(section);
}

void ProfileDocument::RebuildTable() {
    std::size_t size = 16;
    while (size < 2 * sections_.size()) size *= 2;
    table_.assign(size, 0);
    const std::size_t mask = size - 1;
    for (std::size_t index = 1; index < sections_.size(); ++index) {
        const std::string_view name = SectionName(index);
        std::size_t slot = sections_[index].nameHash & mask;
        bool known = false;
        for (; table_[slot] != 0 && !known; slot = (slot + 1) & mask) {
            const std::size_t other = table_[slot] - 1;
            known = sections_[other].nameHash == sections_[index].nameHash && SameName(SectionName(other), name);
        }
        if (!known) table_[slot] = static_cast<std::uint32_t>(index + 1);
    }
}

ProfileDocument ProfileDocument::Parse(std::string bytes) {
    ProfileDocument doc;
    doc.text_ = std::move(bytes);
    const std::string& text = doc.text_;
    const std::size_t size = text.size();
    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t lineBegin = pos;
        const Span line = doc.NextLine(pos, size);
        // Only a line whose first non-blank character is "[" can be a header.
        std::size_t first = line.begin;
        while (first < line.begin + line.length && cp932::IsBlank(static_cast<unsigned char>(text[first]))) ++first;
        if (first == line.begin + line.length || text[first] != '[' || doc.Classify(line).kind != Kind::Header) continue;
        doc.sections_.back().bodyEnd = lineBegin;
        doc.AddSection(line);
        doc.sections_.back().bodyBegin = pos;
    }
    doc.sections_.back().bodyEnd = size;
    doc.RebuildTable();
    return doc;
}

// Only sections found are remembered: a write adds sections at the end and only under names
// not found, so a section found stays the first of its name.
std::size_t ProfileDocument::FindSection(std::string_view section) const {
    for (const RecentSection& recent : recent_)
        if (recent.index != kNoSection && recent.name == section) return recent.index;
    const std::size_t found = LookUpSection(section);
    if (found != kNoSection) {
        RecentSection& recent = recent_[nextRecent_++ % recent_.size()];
        recent.name.assign(section);
        recent.index = found;
    }
    return found;
}

std::size_t ProfileDocument::LookUpSection(std::string_view section) const {
    if (table_.empty()) return kNoSection;
    const std::uint32_t hash = FoldedHash(section);
    const std::size_t mask = table_.size() - 1;
    for (std::size_t slot = hash & mask; table_[slot] != 0; slot = (slot + 1) & mask) {
        const std::size_t index = table_[slot] - 1;
        if (sections_[index].nameHash == hash && SameName(SectionName(index), section)) return index;
    }
    return kNoSection;
}

const ProfileDocument::IndexedSection& ProfileDocument::Indexed(std::size_t section) const {
    IndexedSection* oldest = &indexed_[0];
    for (IndexedSection& indexed : indexed_) {
        if (indexed.section == section) {
            indexed.used = ++uses_;
            return indexed;
        }
        if (indexed.used < oldest->used) oldest = &indexed;
    }
    oldest->section = section;
    oldest->used = ++uses_;
    oldest->keys.clear();
    ForEachSpan(section, [&](const Span& span) {
        const Parsed line = Classify(span);
        if (line.kind != Kind::Entry && line.kind != Kind::Bare) return;
        oldest->keys.push_back({FoldedHash(View(line.nameBegin, line.nameLength)), line.kind == Kind::Entry,
                                line.nameBegin, line.nameLength, line.valueBegin, line.valueLength});
    });
    std::size_t size = 16;
    while (size < 2 * oldest->keys.size()) size *= 2;
    oldest->buckets.assign(size, 0);
    const std::size_t mask = size - 1;
    for (std::size_t index = 0; index < oldest->keys.size(); ++index) {
        std::size_t slot = oldest->keys[index].hash & mask;
        while (oldest->buckets[slot] != 0) slot = (slot + 1) & mask;
        oldest->buckets[slot] = static_cast<std::uint32_t>(index + 1);
    }
    return *oldest;
}

bool ProfileDocument::SeenBefore(std::size_t section) const {
    for (const IndexedSection& indexed : indexed_)
        if (indexed.section == section) return true;
    for (const std::size_t scanned : scanned_)
        if (scanned == section) return true;
    scanned_[nextScanned_] = section;
    nextScanned_ = (nextScanned_ + 1) % scanned_.size();
    return false;
}

Lookup ProfileDocument::Scan(std::size_t section, std::string_view key) const {
    Lookup found;
    AnySpan(section, [&](const Span& span) {
        const Parsed line = Classify(span);
        if (line.kind != Kind::Entry && line.kind != Kind::Bare) return false;
        if (!SameName(View(line.nameBegin, line.nameLength), key)) return false;
        if (line.kind == Kind::Entry) found = {Lookup::Kind::Value, View(line.valueBegin, line.valueLength)};
        else found = {Lookup::Kind::NoValue, {}};
        return true;
    });
    return found;
}

Lookup ProfileDocument::FindKey(std::size_t section, std::string_view key, std::uint32_t hash) const {
    if (section >= sections_.size()) return {};
    // A section read once, as a list of cards reads each card's name, is looked through up to
    // the key; one read again, as a drawing reads dozens of keys of a card, is indexed.
    if (!SeenBefore(section)) return Scan(section, key);
    const IndexedSection& indexed = Indexed(section);
    const std::size_t mask = indexed.buckets.size() - 1;
    for (std::size_t slot = hash & mask; indexed.buckets[slot] != 0; slot = (slot + 1) & mask) {
        const IndexedKey& stored = indexed.keys[indexed.buckets[slot] - 1];
        if (stored.hash != hash || !SameName(View(stored.nameBegin, stored.nameLength), key)) continue;
        if (!stored.hasValue) return {Lookup::Kind::NoValue, {}};
        return {Lookup::Kind::Value, View(stored.valueBegin, stored.valueLength)};
    }
    return {};
}

Lookup ProfileDocument::FindIn(std::size_t section, const KeyName& key) const {
    return FindKey(section, key.Name(), key.Hash());
}

Lookup ProfileDocument::FindIn(std::size_t section, std::string_view key) const {
    return FindKey(section, key, FoldedHash(key));
}

Lookup ProfileDocument::Find(std::string_view section, std::string_view key) const {
    const std::size_t found = FindSection(section);
    return found == kNoSection ? Lookup{} : FindIn(found, key);
}

std::vector<ProfileDocument::Span>& ProfileDocument::ChangedLines(std::size_t section) {
    for (IndexedSection& indexed : indexed_) indexed.section = kNoSection;
    std::vector<Span>& lines = changed_[section];
    if (!sections_[section].changed) {
        ForEachSpan(section, [&](const Span& span) { lines.push_back(span); });
        sections_[section].changed = true;
    }
    return lines;
}

ProfileDocument::Span ProfileDocument::AppendLine(std::string_view content, std::string_view lineEnd) {
    Span line;
    line.begin = text_.size();
    line.length = content.size();
    text_.append(content);
    line.eolBegin = text_.size();
    line.eolLength = lineEnd.size();
    text_.append(lineEnd);
    return line;
}

void ProfileDocument::EnsureLineEnd(Span& line) {
    if (line.eolLength != 0) return;
    line.eolBegin = text_.size();
    line.eolLength = kLineEnd.size();
    text_.append(kLineEnd);
}

ProfileDocument::Span* ProfileDocument::LastLine() {
    for (std::size_t index = sections_.size(); index-- > 0;) {
        Section& section = sections_[index];
        if (section.changed || section.bodyBegin < section.bodyEnd) {
            std::vector<Span>& lines = ChangedLines(index);
            if (!lines.empty()) return &lines.back();
        }
        if (section.hasHeader) return &section.header;
    }
    return nullptr;
}

bool ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::size_t found = FindSection(section);
    if (found == kNoSection) {
        if (Span* last = LastLine()) EnsureLineEnd(*last);
        AddSection(AppendLine("[" + std::string(section) + "]"));
        const std::size_t added = sections_.size() - 1;
        ChangedLines(added).push_back(AppendLine(std::string(key) + "=" + std::string(value)));
        if (2 * sections_.size() > table_.size()) {
            RebuildTable();
        } else {
            const std::size_t mask = table_.size() - 1;
            std::size_t slot = sections_[added].nameHash & mask;
            while (table_[slot] != 0) slot = (slot + 1) & mask;
            table_[slot] = static_cast<std::uint32_t>(added + 1);
        }
        return true;
    }
    const Lookup now = FindIn(found, key);
    if (now.kind == Lookup::Kind::Value && now.value == value) return false;

    std::vector<Span>& lines = ChangedLines(found);
    if (now.kind != Lookup::Kind::Missing) {
        for (Span& line : lines) {
            const Parsed parsed = Classify(line);
            if ((parsed.kind != Kind::Entry && parsed.kind != Kind::Bare) ||
                !SameName(View(parsed.nameBegin, parsed.nameLength), key))
                continue;
            std::string content;
            if (parsed.kind == Kind::Entry) {
                content.assign(text_, line.begin, parsed.valueBegin - line.begin);
            } else {
                content.assign(text_, line.begin, parsed.nameBegin + parsed.nameLength - line.begin);
                content += '=';
            }
            content.append(value);
            const std::size_t eolBegin = line.eolBegin, eolLength = line.eolLength;
            line = AppendLine(content);
            // The rewritten line keeps the line end it had, so the rest of the file is unchanged.
            text_.resize(text_.size() - kLineEnd.size());
            line.eolBegin = eolBegin;
            line.eolLength = eolLength;
            return true;
        }
    }
    // A new key follows the last non-blank line of the section, so that blank lines that
    // separate it from the next section stay where they are: they may be blank lines of their
    // own or part of the line end run of that last line.
    std::size_t insertAt = lines.size();
    while (insertAt > 0 && Classify(lines[insertAt - 1]).kind == Kind::Blank) --insertAt;
    Span& previous = insertAt > 0 ? lines[insertAt - 1] : sections_[found].header;
    EnsureLineEnd(previous);
    const std::string_view run = View(previous.eolBegin, previous.eolLength);
    const std::size_t firstBreak = run.compare(0, 2, kLineEnd) == 0 ? 2 : 1;
    const std::string lineEnd = std::string(kLineEnd) + std::string(run.substr(firstBreak));
    previous.eolLength = firstBreak;
    const Span added = AppendLine(std::string(key) + "=" + std::string(value), lineEnd);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), added);
    return true;
}

std::string_view ProfileDocument::SectionName(std::size_t index) const {
    const Section& section = sections_[index];
    return section.hasHeader ? View(section.nameBegin, section.nameLength) : std::string_view();
}

bool ProfileDocument::IsFirstOfName(std::size_t index) const {
    return sections_[index].hasHeader && FindSection(SectionName(index)) == index;
}

std::string_view ProfileDocument::HeaderContent(std::size_t index) const {
    const Span& header = sections_[index].header;
    return View(header.begin, header.length);
}

std::string_view ProfileDocument::HeaderLineEnd(std::size_t index) const {
    const Span& header = sections_[index].header;
    return View(header.eolBegin, header.eolLength);
}

ProfileDocument::LineView ProfileDocument::ViewOf(const Span& span) const {
    const Parsed line = Classify(span);
    LineView view;
    view.isKey = line.kind == Kind::Entry || line.kind == Kind::Bare;
    view.content = View(span.begin, span.length);
    view.lineEnd = View(span.eolBegin, span.eolLength);
    if (view.isKey) {
        view.name = View(line.nameBegin, line.nameLength);
        view.value = View(line.valueBegin, line.valueLength);
    }
    return view;
}

void ProfileDocument::AppendBody(std::size_t index, std::string& out) const {
    ForEachSpan(index, [&](const Span& line) {
        out.append(text_, line.begin, line.length);
        if (line.eolLength == 0)
            out.append(kLineEnd);
        else
            out.append(text_, line.eolBegin, line.eolLength);
    });
}

bool ProfileDocument::Remove(std::string_view section, std::string_view key) {
    const std::size_t found = FindSection(section);
    if (found == kNoSection || FindIn(found, key).kind == Lookup::Kind::Missing) return false;
    std::vector<Span>& lines = ChangedLines(found);
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        const Parsed parsed = Classify(*line);
        if ((parsed.kind == Kind::Entry || parsed.kind == Kind::Bare) && SameName(View(parsed.nameBegin, parsed.nameLength), key)) {
            lines.erase(line);
            return true;
        }
    }
    return false;
}

std::size_t ProfileDocument::SerializedSize() const {
    std::size_t size = 0;
    for (std::size_t index = 0; index < sections_.size(); ++index) {
        const Section& section = sections_[index];
        if (section.hasHeader) size += section.header.length + section.header.eolLength;
        if (!section.changed) {
            size += section.bodyEnd - section.bodyBegin;
            continue;
        }
        for (const Span& line : changed_.at(index)) size += line.length + line.eolLength;
    }
    return size;
}

std::string ProfileDocument::Serialize() const {
    std::string out;
    out.reserve(SerializedSize());
    const auto put = [&](const Span& line) {
        out.append(text_, line.begin, line.length);
        out.append(text_, line.eolBegin, line.eolLength);
    };
    for (std::size_t index = 0; index < sections_.size(); ++index) {
        const Section& section = sections_[index];
        if (section.hasHeader) put(section.header);
        if (section.changed)
            for (const Span& line : changed_.at(index)) put(line);
        else
            out.append(text_, section.bodyBegin, section.bodyEnd - section.bodyBegin);
    }
    return out;
}

std::size_t ProfileDocument::IndexBytes() const {
    std::size_t bytes = sections_.capacity() * sizeof(Section) + table_.capacity() * sizeof(std::uint32_t);
    for (const auto& changed : changed_) bytes += changed.second.capacity() * sizeof(Span);
    for (const IndexedSection& indexed : indexed_)
        bytes += indexed.keys.capacity() * sizeof(IndexedKey) + indexed.buckets.capacity() * sizeof(std::uint32_t);
    return bytes;
}

}  // namespace profile
