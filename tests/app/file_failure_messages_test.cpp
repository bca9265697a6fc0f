#include "app/qt/file_failure_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "store/profiles.h"
#include "tests/support/temp_home.h"

namespace {

// Accepts every message box that opens and keeps its text.
class MessageCollector {
public:
    MessageCollector() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.push_back(box->text());
                box->accept();
            }
        });
        timer_.start();
    }
    // Lets the event loop run as after a user's action.
    void Settle() { QTest::qWait(60); }

    QStringList texts;

private:
    QTimer timer_;
};

class FileFailureMessagesTest : public TempHomeTest {};

}  // namespace

TEST_F(FileFailureMessagesTest, FailedSavesAreShownOncePerFileAfterTheAction) {
    const FileFailureMessages messages;
    MessageCollector shown;
    const ProfileFile readOnly(PathOf("r.ini"));
    WriteBytes(readOnly.FsPath(), "");
    chmod(readOnly.FsPath().c_str(), 0444);
    const ProfileFile missing(PathOf("gone/a.ini"));

    // One action: several failed saves of two files; nothing is shown while it runs.
    EXPECT_FALSE(readOnly.WriteString("s", "k", "1") && readOnly.Flush());
    EXPECT_FALSE(readOnly.WriteString("s", "k", "2") && readOnly.Flush());
    EXPECT_FALSE(missing.WriteString("s", "k", "v"));
    EXPECT_TRUE(shown.texts.isEmpty());
    shown.Settle();
    ASSERT_EQ(shown.texts.size(), 2);
    EXPECT_TRUE(shown.texts[0].contains(QString::fromStdString("「" + readOnly.FsPath() + "」"))) << shown.texts[0].toStdString();
    EXPECT_TRUE(shown.texts[1].contains(QString::fromStdString(missing.FsPath())));
    EXPECT_EQ(readOnly.ReadString("s", "k", ""), "2");  // still what the user typed

    // Saved once more, a later failure is told again.
    chmod(readOnly.FsPath().c_str(), 0644);
    EXPECT_TRUE(readOnly.Flush());
    chmod(readOnly.FsPath().c_str(), 0444);
    EXPECT_FALSE(readOnly.WriteString("s", "k", "3") && readOnly.Flush());
    shown.Settle();
    EXPECT_EQ(shown.texts.size(), 3);
    EXPECT_EQ(ReadBytes(readOnly.FsPath()), "[s]\r\nk=2\r\n");
}
