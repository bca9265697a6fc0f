#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>

#include "app/qt/about_dialog.h"
#include "app/qt/help_window.h"

TEST(AboutBoxTest, ShowsNameVersionAndCopyright) {
    CAboutDlg dialog;
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    const QString all = texts.join('\n');
    EXPECT_TRUE(all.contains(QStringLiteral("ZUL Name Card")));
    EXPECT_TRUE(all.contains(QString::fromUtf8("バージョン ") + QStringLiteral(ZULNAME_VERSION)));
    EXPECT_TRUE(all.contains(QStringLiteral("Copyright")));
}

TEST(HelpTest, ContentsPageShipsWithTheProgram) {
    QFile page(QFile::decodeName(ContentsPagePath().c_str()));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(html.contains(QString::fromUtf8("印刷")));

    HelpWindow window;
    window.ShowContents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.toPlainText().contains(QString::fromUtf8("名札")));
    EXPECT_EQ(window.documentTitle(), QString::fromUtf8("ZUL Name Card ヘルプ"));
}
