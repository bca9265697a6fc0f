#include "view/written_output.h"

std::string WrittenOutputNote(const WrittenOutput& output) {
    const std::string pages = std::to_string(output.pages) + "ページ";
    if (output.pdf.empty()) return "プリンタ「" + output.printer + "」で " + pages + "を印刷しました";
    const std::string::size_type slash = output.pdf.rfind('/');
    const std::string name = slash == std::string::npos ? output.pdf : output.pdf.substr(slash + 1);
    return "「" + name + "」に " + pages + "を書き出しました";
}
