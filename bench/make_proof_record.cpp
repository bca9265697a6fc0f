// Writes the record file the proof benchmark lists: FOLDER/proof.ini with CARDS people of a
// participant list as organisers have them, 氏名, 読み, 所属 and 肩書き each; every tenth name
// holds 𠮷 (beyond code page 932, kept in the exact key) and every tenth another 髙 (an IBM
// extension), so that the character check has findings spread over the whole file.

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "store/codec.h"

namespace {

std::string Line(const std::string& key, const std::string& value) { return key + "=" + value + "\r\n"; }

std::string Card(int card) {
    const std::string name = codec::Sjis("氏名"), number = std::to_string(card);
    std::string text = "[" + std::string(4 - std::min<std::size_t>(4, number.size()), '0') + number + "]\r\n";
    if (card % 10 == 3)
        text += Line(name, codec::Sjis("〓田") + number) + Line(name + "Unicode", "&#x20bb7;" + codec::Sjis("田") + number);
    else
        text += Line(name, codec::Sjis(card % 10 == 7 ? "髙橋" : "山田") + number);
    text += Line(codec::Sjis("読み"), codec::Sjis("やまだ")) + Line(codec::Sjis("所属"), codec::Sjis("株式会社ズール") + number) +
            Line(codec::Sjis("肩書き"), codec::Sjis("営業部長"));
    for (const char* item : {"氏名", "読み", "所属", "肩書き"}) text += Line("1IsPrint" + codec::Sjis(item), "1");
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::atoi(argv[2]) < 1) {
        std::cerr << "usage: make_proof_record FOLDER CARDS\n";
        return 2;
    }
    const int cards = std::atoi(argv[2]);
    std::string bytes = "[#Setting#]\r\nLabel=1\r\nMax=" + std::to_string(cards - 1) + "\r\nCurID=0\r\n";
    for (int card = 0; card < cards; ++card) bytes += Card(card);
    std::ofstream out(std::string(argv[1]) + "/proof.ini", std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) {
        std::cerr << "make_proof_record: cannot write into " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
