#include "render/qt/plain_runs.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QTextLayout>

#include <string>
#include <vector>

namespace {

QFont Font(const QString& family, int pixels, QFont::Weight weight, int stretch) {
    QFont font(family);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(pixels);
    font.setWeight(weight);
    if (stretch != 100) font.setStretch(stretch);
    return font;
}

struct Laid {
    QList<quint32> glyphs;
    QList<QPointF> positions;
    QRectF box;
    QString family;
    double advance = 0;
};

// What Qt's own layout, with its shaper, makes of the text on one line.
Laid Shaped(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    Laid laid;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        laid.glyphs += run.glyphIndexes();
        laid.positions += run.positions();
        laid.box |= run.boundingRect();
        laid.family = run.rawFont().familyName();
    }
    laid.advance = line.horizontalAdvance();
    return laid;
}

std::string Describe(const QString& text, const QFont& font) {
    return (text + " in " + font.family() + " " + QString::number(font.pixelSize()) + "px weight " +
            QString::number(font.weight()) + " stretch " + QString::number(font.stretch()))
        .toStdString();
}

}  // namespace

TEST(PlainRunsTest, LaysOutNamesAndTitlesExactlyAsQtsShaperDoes) {
    const std::vector<QString> texts = {
        QStringLiteral("山田 太郎1"),     QStringLiteral("やまだ たろう"),       QStringLiteral("代表取締役"),
        QStringLiteral("株式会社ゼロワン"), QStringLiteral("ＡＢＣ　１２３"),      QStringLiteral("Office AV To fi 1/2"),
        QStringLiteral("ｶﾀｶﾅ ﾃﾞｽ"),       QStringLiteral("〒100-0001 東京都"),  QStringLiteral("①②③・…「」ー"),
        QStringLiteral("Ça coûte 5€?"),   QStringLiteral("髙橋 﨑")};
    int laidCount = 0, cases = 0;
    // The stored Windows face names reach the IPA fonts through the program's substitutes.
    const QStringList families = {QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAMincho"),
                                  QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ Ｐ明朝")};
    for (const QString& family : families)
        for (const int pixels : {13, 100, 480})
            for (const QFont::Weight weight : {QFont::Normal, QFont::Bold})
                for (const int stretch : {100, 70}) {
                    const QFont font = Font(family, pixels, weight, stretch);
                    PlainRuns plain(font);
                    for (const QString& text : texts) {
                        ++cases;
                        QGlyphRun run;
                        double advance = -1;
                        if (!plain.Lay(text, run, advance)) continue;
                        ++laidCount;
                        const Laid shaped = Shaped(text, font);
                        SCOPED_TRACE(Describe(text, font));
                        ASSERT_EQ(run.glyphIndexes(), shaped.glyphs);
                        ASSERT_EQ(run.positions().size(), shaped.positions.size());
                        for (qsizetype i = 0; i < shaped.positions.size(); ++i) {
                            EXPECT_EQ(run.positions()[i].x(), shaped.positions[i].x()) << "glyph " << i;
                            EXPECT_EQ(run.positions()[i].y(), shaped.positions[i].y()) << "glyph " << i;
                        }
                        EXPECT_EQ(advance, shaped.advance);
                        EXPECT_EQ(run.boundingRect(), shaped.box);
                        EXPECT_EQ(run.rawFont().familyName(), shaped.family);
                    }
                }
    // Everything above is plain text in fonts that hold it: the shaper is left out for nearly all.
    EXPECT_GE(laidCount, cases * 9 / 10);
}

TEST(PlainRunsTest, LeavesTextThatNeedsShapingOrAnotherFontToQt) {
    PlainRuns plain(Font(QStringLiteral("IPAGothic"), 100, QFont::Normal, 100));
    QGlyphRun run;
    double advance = 0;
    const QStringList needShaping = {
        QString(),                    QStringLiteral(" 山田"),      QStringLiteral("山田 "),  QStringLiteral("\t山田"),
        QStringLiteral("か\u3099"),   QStringLiteral("e\u0301"),   QStringLiteral("山\u200D田"), QStringLiteral("ab\u00ADc"),
        QStringLiteral("عربي"),       QStringLiteral("שלום"),      QStringLiteral("नमस्ते"),   QStringLiteral("\U0001F600"),
        QStringLiteral("\U00020B9F"), QStringLiteral("ꙮ")};
    for (const QString& text : needShaping)
        EXPECT_FALSE(plain.Lay(text, run, advance)) << text.toStdString();
    // A long text is left to Qt too, rather than tried run by run against the substitutions.
    EXPECT_TRUE(plain.Lay(QString(32, QChar(0x304B)), run, advance));
    EXPECT_FALSE(plain.Lay(QString(33, QChar(0x304B)), run, advance));

    // Decorations and spacing are drawn or applied by Qt's layout.
    QFont underlined = Font(QStringLiteral("IPAGothic"), 100, QFont::Normal, 100);
    underlined.setUnderline(true);
    QFont spaced = Font(QStringLiteral("IPAGothic"), 100, QFont::Normal, 100);
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    for (const QFont& font : {underlined, spaced}) {
        PlainRuns decorated(font);
        EXPECT_FALSE(decorated.Lay(QStringLiteral("山田"), run, advance));
    }
}
