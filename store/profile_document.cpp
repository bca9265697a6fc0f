#include "store/profile_document.h"

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

bool EqualsFolded(std::string_view stored, std::string_view folded) {
    if (stored.size() != folded.size()) return false;
    for (std::size_t pos = 0; pos < stored.size();) {
        const std::size_t len = cp932::CharLength(stored, pos);
        if (len == 1) {
            char c = stored[pos];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != folded[pos]) return false;
        } else if (stored.compare(pos, len, folded, pos, len) != 0) {
            return false;
        }
        pos += len;
    }
    return true;
}

}  // namespace

ProfileDocument::ProfileDocument() : sections_(1) {}

bool ProfileDocument::IsStorableKey(std::string_view key) {
    return !key.empty() && key.front() != '[' && key.front() != ';' &&
           cp932::FindChar(key, '=') == std::string_view::npos && key.find('\0') == std::string_view::npos;
}

bool ProfileDocument::IsStorableSection(std::string_view section) {
    const std::string header = "[" + std::string(section) + "]";
    return section.find('\0') == std::string_view::npos && cp932::FindLastChar(header, ']') == header.size() - 1;
}

void ProfileDocument::Classify(Line& line) const {
    const std::string_view content = View(line.begin, line.length);
    const std::string_view trimmed = cp932::TrimBlanks(content);
    const std::size_t offset = line.begin + static_cast<std::size_t>(trimmed.data() - content.data());
    const auto at = [&](std::string_view part) { return offset + static_cast<std::size_t>(part.data() - trimmed.data()); };
    line.nameBegin = line.nameLength = line.valueBegin = line.valueLength = 0;
    if (trimmed.empty()) {
        line.kind = Kind::Blank;
        return;
    }
    if (trimmed.front() == ';') {
        line.kind = Kind::Comment;
        return;
    }
    if (trimmed.front() == '[') {
        const std::size_t close = cp932::FindLastChar(trimmed, ']');
        if (close != std::string_view::npos) {
            const std::string_view name = cp932::TrimBlanks(CutAtNul(trimmed.substr(1, close - 1)));
            line.kind = Kind::Header;
            line.nameBegin = at(name);
            line.nameLength = name.size();
            return;
        }
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
    line.nameHash = FoldedHash(name);
}

ProfileDocument ProfileDocument::Parse(std::string bytes) {
    ProfileDocument doc;
    doc.text_ = std::move(bytes);
    const std::string& text = doc.text_;
    const std::size_t size = text.size();
    std::size_t pos = 0;
    while (pos < size) {
        Line line;
        line.begin = pos;
        while (pos < size && text[pos] != '\r' && text[pos] != '\n') ++pos;
        line.length = pos - line.begin;
        line.eolBegin = pos;
        while (pos < size && (text[pos] == '\r' || text[pos] == '\n')) ++pos;
        line.eolLength = pos - line.eolBegin;
        doc.Classify(line);
        if (line.kind == Kind::Header) {
            Section section;
            section.foldedName = cp932::FoldAsciiCase(doc.View(line.nameBegin, line.nameLength));
            section.hasHeader = true;
            section.header = line;
            doc.firstSection_.emplace(section.foldedName, doc.sections_.size());
            doc.sections_.push_back(std::move(section));
        } else {
            doc.sections_.back().body.push_back(line);
        }
    }
    return doc;
}

std::size_t ProfileDocument::FindKey(const Section& section, std::string_view foldedKey, std::uint32_t hash) const {
    for (std::size_t index = 0; index < section.body.size(); ++index) {
        const Line& line = section.body[index];
        if ((line.kind == Kind::Entry || line.kind == Kind::Bare) && line.nameHash == hash &&
            EqualsFolded(View(line.nameBegin, line.nameLength), foldedKey))
            return index;
    }
    return kNotFound;
}

Lookup ProfileDocument::Find(std::string_view section, std::string_view key) const {
    const auto found = firstSection_.find(cp932::FoldAsciiCase(section));
    if (found == firstSection_.end()) return {};
    const std::string foldedKey = cp932::FoldAsciiCase(key);
    const Section& target = sections_[found->second];
    const std::size_t index = FindKey(target, foldedKey, FoldedHash(key));
    if (index == kNotFound) return {};
    const Line& line = target.body[index];
    if (line.kind == Kind::Bare) return {Lookup::Kind::NoValue, {}};
    return {Lookup::Kind::Value, View(line.valueBegin, line.valueLength)};
}

ProfileDocument::Line ProfileDocument::AppendLine(std::string_view content, std::string_view lineEnd) {
    Line line;
    line.begin = text_.size();
    line.length = content.size();
    text_.append(content);
    line.eolBegin = text_.size();
    line.eolLength = lineEnd.size();
    text_.append(lineEnd);
    Classify(line);
    return line;
}

void ProfileDocument::EnsureLineEnd(Line& line) {
    if (line.eolLength != 0) return;
    line.eolBegin = text_.size();
    line.eolLength = kLineEnd.size();
    text_.append(kLineEnd);
}

ProfileDocument::Line* ProfileDocument::LastLine() {
    for (auto section = sections_.rbegin(); section != sections_.rend(); ++section) {
        if (!section->body.empty()) return &section->body.back();
        if (section->hasHeader) return &section->header;
    }
    return nullptr;
}

bool ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string foldedSection = cp932::FoldAsciiCase(section);
    const auto found = firstSection_.find(foldedSection);
    if (found == firstSection_.end()) {
        if (Line* last = LastLine()) EnsureLineEnd(*last);
        Section added;
        added.foldedName = foldedSection;
        added.hasHeader = true;
        added.header = AppendLine("[" + std::string(section) + "]");
        added.body.push_back(AppendLine(std::string(key) + "=" + std::string(value)));
        firstSection_.emplace(foldedSection, sections_.size());
        sections_.push_back(std::move(added));
        return true;
    }
    Section& target = sections_[found->second];
    const std::string foldedKey = cp932::FoldAsciiCase(key);
    if (const std::size_t index = FindKey(target, foldedKey, FoldedHash(key)); index != kNotFound) {
        Line& line = target.body[index];
        std::string content;
        if (line.kind == Kind::Entry) {
            if (View(line.valueBegin, line.valueLength) == value) return false;
            content.assign(text_, line.begin, line.valueBegin - line.begin);
        } else {
            content.assign(text_, line.begin, line.nameBegin + line.nameLength - line.begin);
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
    // A new key follows the last non-blank line of the section, so that blank lines that
    // separate it from the next section stay where they are: they may be blank lines of their
    // own or part of the line end run of that last line.
    std::size_t insertAt = target.body.size();
    while (insertAt > 0 && target.body[insertAt - 1].kind == Kind::Blank) --insertAt;
    Line& previous = insertAt > 0 ? target.body[insertAt - 1] : target.header;
    EnsureLineEnd(previous);
    const std::string_view run = View(previous.eolBegin, previous.eolLength);
    const std::size_t firstBreak = run.compare(0, 2, kLineEnd) == 0 ? 2 : 1;
    const std::string lineEnd = std::string(kLineEnd) + std::string(run.substr(firstBreak));
    previous.eolLength = firstBreak;
    const Line added = AppendLine(std::string(key) + "=" + std::string(value), lineEnd);
    target.body.insert(target.body.begin() + static_cast<std::ptrdiff_t>(insertAt), added);
    return true;
}

std::string_view ProfileDocument::SectionName(std::size_t index) const {
    const Section& section = sections_[index];
    return section.hasHeader ? View(section.header.nameBegin, section.header.nameLength) : std::string_view();
}

bool ProfileDocument::IsFirstOfName(std::size_t index) const {
    const auto found = firstSection_.find(sections_[index].foldedName);
    return sections_[index].hasHeader && found != firstSection_.end() && found->second == index;
}

std::string_view ProfileDocument::HeaderContent(std::size_t index) const {
    const Line& header = sections_[index].header;
    return View(header.begin, header.length);
}

std::string_view ProfileDocument::HeaderLineEnd(std::size_t index) const {
    const Line& header = sections_[index].header;
    return View(header.eolBegin, header.eolLength);
}

ProfileDocument::LineView ProfileDocument::ViewOf(const Line& line) const {
    LineView view;
    view.isKey = line.kind == Kind::Entry || line.kind == Kind::Bare;
    view.content = View(line.begin, line.length);
    view.lineEnd = View(line.eolBegin, line.eolLength);
    view.name = View(line.nameBegin, line.nameLength);
    view.value = View(line.valueBegin, line.valueLength);
    return view;
}

void ProfileDocument::AppendBody(std::size_t index, std::string& out) const {
    for (const Line& line : sections_[index].body) {
        out.append(text_, line.begin, line.length);
        if (line.eolLength == 0)
            out.append(kLineEnd);
        else
            out.append(text_, line.eolBegin, line.eolLength);
    }
}

std::size_t ProfileDocument::SerializedSize() const {
    std::size_t size = 0;
    for (const Section& section : sections_) {
        if (section.hasHeader) size += section.header.length + section.header.eolLength;
        for (const Line& line : section.body) size += line.length + line.eolLength;
    }
    return size;
}

std::string ProfileDocument::Serialize() const {
    std::string out;
    out.reserve(SerializedSize());
    const auto put = [&](const Line& line) {
        out.append(text_, line.begin, line.length);
        out.append(text_, line.eolBegin, line.eolLength);
    };
    for (const Section& section : sections_) {
        if (section.hasHeader) put(section.header);
        for (const Line& line : section.body) put(line);
    }
    return out;
}

}  // namespace profile
