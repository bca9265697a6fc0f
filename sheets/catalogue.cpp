#include "sheets/catalogue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

#include "sheets/builtin_sheets.h"
#include "sheets/maker_names.h"
#include "sheets/paper_sizes.h"
#include "sheets/template_file.h"
#include "store/locations.h"

namespace sheets {
namespace {

// Labels may reach this far past the paper's edge: the database rounds some sizes.
constexpr double kFitTolerance = 1.0;  // mm
constexpr double kSizeTolerance = 0.5;
// What the program can print: no sheet in the label database has labels under 5 mm, and no paper
// is larger than the stored paper sizes allow.
constexpr double kMinLabelSide = 1.0;  // mm
constexpr double kMaxLength = 10000;   // mm

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::vector<std::string> SortedTemplateFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".xml" && it->is_regular_file(error)) files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// The first entry of each maker and part.
using Index = std::map<std::pair<std::string, std::string>, const TemplateEntry*>;

// Takes over the labels and paper of the entry it names; false when there is none.
bool ResolveEquivalent(TemplateEntry& entry, const Index& index) {
    const auto found = index.find({entry.product.maker, entry.equiv});
    if (found == index.end() || !found->second->equiv.empty()) return false;
    const TemplateEntry& original = *found->second;
    SheetProduct product = original.product;
    product.maker = entry.product.maker;
    product.part = entry.product.part;
    product.source = entry.product.source;
    product.file = entry.product.file;
    if (!entry.product.description.empty()) product.description = entry.product.description;
    entry.product = std::move(product);
    entry.shape = original.shape;
    entry.layouts = original.layouts;
    entry.badLength = original.badLength;
    return true;
}

const char* ShapeProblem(const std::string& shape) {
    if (shape.empty()) return "ラベルの形がない";
    if (shape == "Label-round") return "円形ラベル";
    if (shape == "Label-ellipse") return "楕円ラベル";
    if (shape == "Label-cd") return "CDラベル";
    if (shape == "Label-continuous") return "連続ラベル";
    return "対応していない形";
}

// Why the product cannot be applied, or empty. Fills in the paper size from its name.
std::string Check(const TemplateEntry& entry, SheetProduct& product, const PaperSizes& papers) {
    if (entry.badLength) return "長さの単位が不明";
    if (entry.shape != "Label-rectangle") return ShapeProblem(entry.shape);
    if (entry.layouts != 1) return entry.layouts == 0 ? "レイアウトがない" : "レイアウトが複数";
    if (product.columns < 1 || product.rows < 1) return "列または行が0";
    if (product.PerSheet() > kMaxLabelsPerSheet) return "面数が多すぎる (1000面まで)";
    for (const double length : {product.width, product.height, product.round, product.left, product.top,
                                product.pitchX, product.pitchY, product.paperWidth, product.paperHeight})
        if (std::fabs(length) > kMaxLength) return "長さが大きすぎる (10 mまで)";
    if (product.width < 0 || product.height < 0) return "ラベルの大きさが負";
    if (product.width == 0 || product.height == 0) return "ラベルの大きさが0";
    if (product.width < kMinLabelSide || product.height < kMinLabelSide) return "ラベルが小さすぎる (1 mm未満)";
    if (product.paperId != "Other" && !(product.paperId.empty() && product.paperWidth > 0)) {
        const PaperSize* paper = papers.Find(product.paperId);
        if (paper == nullptr) return "用紙サイズが不明";
        product.paperWidth = paper->width;
        product.paperHeight = paper->height;
    }
    if (product.paperWidth <= 0 || product.paperHeight <= 0) return "用紙サイズが不明";
    if ((product.columns > 1 && product.pitchX <= 0) || (product.rows > 1 && product.pitchY <= 0))
        return "ラベルの間隔が0";
    const double right = product.left + (product.columns - 1) * product.pitchX + product.width;
    const double bottom = product.top + (product.rows - 1) * product.pitchY + product.height;
    if (product.left < 0 || product.top < 0 || right > product.paperWidth + kFitTolerance ||
        bottom > product.paperHeight + kFitTolerance)
        return "用紙に収まらない";
    return {};
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// The words of a search text, split at ASCII blanks and the ideographic space.
std::vector<std::string> Words(std::string_view text) {
    std::string spaced(text);
    for (std::size_t at; (at = spaced.find("\u3000")) != std::string::npos;) spaced.replace(at, 3, " ");
    std::vector<std::string> words;
    std::string word;
    for (const char c : spaced + " ") {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(AsciiLower(word));
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

bool ParseNumber(std::string_view text, double& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

std::string_view WithoutSuffix(std::string_view word, std::string_view suffix) {
    if (word.size() > suffix.size() && word.substr(word.size() - suffix.size()) == suffix)
        word.remove_suffix(suffix.size());
    return word;
}

// "91x55", "91×55mm": a label size in millimetres.
bool MatchesSize(std::string_view word, const SheetProduct& product) {
    word = WithoutSuffix(word, "mm");
    std::size_t at = word.find("\u00d7");
    std::size_t separator = 2;
    if (at == std::string_view::npos) {
        at = word.find('x');
        separator = 1;
    }
    double width = 0, height = 0;
    if (at == std::string_view::npos || !ParseNumber(word.substr(0, at), width) ||
        !ParseNumber(word.substr(at + separator), height))
        return false;
    return std::fabs(width - product.width) <= kSizeTolerance && std::fabs(height - product.height) <= kSizeTolerance;
}

bool MatchesCount(std::string_view word, const SheetProduct& product) {
    word = WithoutSuffix(WithoutSuffix(word, "面"), "枚");
    if (word.empty() || word.size() > 6 || word.find_first_not_of("0123456789") != std::string_view::npos) return false;
    return std::stoll(std::string(word)) == product.PerSheet();
}

}  // namespace

CatalogueSources DefaultSources() {
    CatalogueSources sources;
    sources.savedFile = locations::ConfigFolder() + "/sheets.xml";
    sources.builtIn = std::string(BuiltInSheets());
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') config = Environment("HOME") + "/.config";
    sources.userFolders.push_back(config + "/libglabels/templates");
    std::string dataDirs = Environment("XDG_DATA_DIRS");
    if (dataDirs.empty()) dataDirs = "/usr/local/share:/usr/share";
    for (std::size_t start = 0; start <= dataDirs.size();) {
        const std::size_t end = std::min(dataDirs.find(':', start), dataDirs.size());
        const std::string folder = dataDirs.substr(start, end - start);
        if (!folder.empty() && folder.front() == '/') sources.catalogueFolders.push_back(folder + "/libglabels-3.0/templates");
        start = end + 1;
    }
    return sources;
}

void SheetCatalogue::Load(const CatalogueSources& sources) {
    products_.clear();
    warnings_.clear();
    catalogueInstalled_ = false;
    TemplateFile read;
    std::string problem;
    const auto readFile = [&](const std::string& path, SheetSource source) {
        if (!ReadTemplateFile(path, source, read, problem)) warnings_.push_back(path + ": " + problem);
    };
    std::error_code error;
    if (!sources.savedFile.empty() && std::filesystem::exists(sources.savedFile, error))
        readFile(sources.savedFile, SheetSource::Saved);
    if (!sources.builtIn.empty() && !ReadTemplateText(sources.builtIn, "built-in", SheetSource::BuiltIn, read, problem))
        warnings_.push_back("built-in: " + problem);
    for (const std::string& folder : sources.userFolders)
        for (const std::string& path : SortedTemplateFiles(folder)) readFile(path, SheetSource::UserFiles);
    for (const std::string& folder : sources.catalogueFolders) {
        if (!IsFolder(folder)) continue;
        catalogueInstalled_ = true;
        for (const std::string& path : SortedTemplateFiles(folder)) readFile(path, SheetSource::Catalogue);
    }

    PaperSizes papers;
    for (PaperSize& size : read.paperSizes) papers.Add(std::move(size));
    Index index;
    for (const TemplateEntry& entry : read.templates) index.emplace(std::make_pair(entry.product.maker, entry.product.part), &entry);
    // Equivalents are resolved against the entries as read, before any of them changes.
    std::vector<TemplateEntry> resolved = read.templates;
    products_.reserve(resolved.size());
    for (TemplateEntry& entry : resolved) {
        const bool found = entry.equiv.empty() || ResolveEquivalent(entry, index);
        SheetProduct& product = entry.product;
        product.unusable = found ? Check(entry, product, papers) : "同等品の元がない";
        products_.push_back(std::move(product));
    }
}

const SheetProduct* SheetCatalogue::Find(std::string_view maker, std::string_view part) const {
    for (const SheetProduct& product : products_)
        if (product.maker == maker && product.part == part) return &product;
    return nullptr;
}

std::vector<std::size_t> SheetCatalogue::Search(std::string_view text) const {
    const std::vector<std::string> words = Words(text);
    std::vector<std::vector<std::string>> makerVariants;
    for (const std::string& word : words) makerVariants.push_back(MakerNameVariants(word));
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < products_.size(); ++i) {
        const SheetProduct& product = products_[i];
        const std::string maker = AsciiLower(product.maker);
        const std::string haystack = maker + "\n" + AsciiLower(product.part + "\n" + product.description);
        const auto namesMaker = [&maker](const std::string& variant) { return maker.find(variant) != std::string::npos; };
        bool all = true;
        for (std::size_t w = 0; w < words.size() && all; ++w) {
            const std::string& word = words[w];
            all = haystack.find(word) != std::string::npos || MatchesSize(word, product) || MatchesCount(word, product) ||
                  std::any_of(makerVariants[w].begin(), makerVariants[w].end(), namesMaker);
        }
        if (all) found.push_back(i);
    }
    return found;
}

std::string MillimetreText(double millimetres) {
    // Beyond any paper (a damaged template): shown as it is, not rounded into a long.
    char text[32];
    if (!(std::fabs(millimetres) < 1e9)) {
        std::snprintf(text, sizeof text, "%g", millimetres);
        return text;
    }
    const long tenths = std::lround(millimetres * 10);
    if (tenths % 10 == 0)
        std::snprintf(text, sizeof text, "%ld", tenths / 10);
    else
        std::snprintf(text, sizeof text, "%s%ld.%ld", tenths < 0 ? "-" : "", std::labs(tenths) / 10, std::labs(tenths) % 10);
    return text;
}

std::string LabelSizeText(const SheetProduct& product) {
    return MillimetreText(product.width) + "\u00d7" + MillimetreText(product.height) + "mm";
}

const char* FoldAttribute(Fold fold) {
    switch (fold) {
    case Fold::TopBottom: return "top-bottom";
    case Fold::LeftRight: return "left-right";
    case Fold::None: break;
    }
    return "";
}

Fold FoldNamed(std::string_view attribute) {
    return attribute == "top-bottom" ? Fold::TopBottom : attribute == "left-right" ? Fold::LeftRight : Fold::None;
}

const char* SourceName(SheetSource source) {
    switch (source) {
    case SheetSource::Saved: return "保存";
    case SheetSource::BuiltIn: return "内蔵";
    case SheetSource::UserFiles: return "ユーザー";
    case SheetSource::Catalogue: return "gLabels";
    }
    return "";
}

}  // namespace sheets
