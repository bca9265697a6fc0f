#include "bench/record_file.h"

#include <cstdio>

#include "store/codec.h"

namespace bench {
namespace {

struct Item {
    const char* name;
    const char* texts[4];  // varied across cards
};

const Item kItems[] = {
    {"氏名", {"山田 太郎", "佐藤 花子", "鈴木 一郎", "髙橋 美咲"}},
    {"氏名ふりがな", {"やまだ たろう", "さとう はなこ", "すずき いちろう", "たかはし みさき"}},
    {"所属・学校名", {"株式会社ゼロワン 東日本営業本部 第二営業部", "東京都立第三高等学校 普通科 二年三組",
                      "第十二回全国名札デザイン大会 実行委員会 事務局", "表参道ソフトウェア開発部 品質保証グループ"}},
    {"役職・学年", {"代表取締役社長 兼 最高経営責任者", "営業部長", "課長代理（システム担当）", "来賓"}},
    {"備考・連絡事項",
     {"受付にて記念品と資料一式をお渡しください。駐車券あり（北口第二駐車場）。懇親会は欠席、翌日の見学会に参加予定。",
      "午後の分科会から参加。昼食不要。車椅子での来場のため、会場入口のスロープと本館エレベーターをご案内ください。",
      "表彰式にて祝辞をいただきます。控室は本館三階ゼミ室Ｂ。お帰りの際はタクシーを手配のこと（請求書払い）。",
      "名札の再発行（氏名の表記変更：旧姓併記）。連絡先：総務課 内線２１５、携帯 090-1234-5678。当日は代理出席の可能性あり。"}},
};

std::string Line(const std::string& key, const std::string& value) { return key + "=" + value + "\r\n"; }

}  // namespace

std::string CardSection(int card) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d", card);
    return name;
}

std::string MakeRecordFile(int cards) {
    std::string text;
    for (int card = 0; card < cards; ++card) {
        text += "[" + CardSection(card) + "]\r\n";
        int index = 0;
        for (const Item& item : kItems) {
            const std::string name = codec::Sjis(item.name);
            const std::string slotName = "1" + name;
            const int offset = card % 97;
            text += Line(name, codec::Sjis(item.texts[(card + index) % 4]));
            text += Line(slotName + "Xpos", std::to_string(20 + 7 * index + offset));
            text += Line(slotName + "Ypos", std::to_string(120 + 40 * index + offset));
            text += Line("1IsPrint" + name, "1");
            text += Line(slotName + "PrintPos", std::to_string(index % 3));
            text += Line(slotName + "PrintVPos", std::to_string((index + 1) % 3));
            text += Line(slotName + "Font", "-" + std::to_string(12 + 2 * index) + " 0 0 0 " +
                                                 (index == 0 ? "700" : "400") + " 0 0 0 128 3 2 1 49 " +
                                                 std::to_string(0x10000 * (offset % 4) * 85 + 0x8000));
            text += Line(slotName + "FontFace", codec::Sjis(index % 2 == 0 ? "ＭＳ Ｐゴシック" : "ＭＳ Ｐ明朝"));
            ++index;
        }
    }
    return text;
}

}  // namespace bench
