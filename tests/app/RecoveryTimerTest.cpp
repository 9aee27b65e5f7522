// Tests of the main window's recovery timer: it writes the copy of what is typed while the
// guide is modified, and closing the window normally takes the copy away.
#include "app/MainWindowFixture.h"
#include "shell/RecoveryCopy.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dravenloom {
namespace {

class RecoveryTimerTest : public MainWindowFixture {
protected:
    QString Folder() const { return Scratch.filePath(QStringLiteral("recovery")); }

    std::optional<RecoveryCopy> CopyOnDisk() const {
        const QStringList names =
            QDir(Folder()).entryList({QStringLiteral("*.recovery")}, QDir::Files);
        if (names.size() != 1)
            return std::nullopt;
        QFile file(QDir(Folder()).filePath(names.front()));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return DecodeRecoveryCopy(file.readAll().toStdString());
    }

    QTemporaryDir Scratch;
};

TEST_F(RecoveryTimerTest, WritesWhatIsTypedWhileModifiedAndClosingRemovesIt) {
    Window->StartRecovery(Folder().toStdString(), 20);
    ASSERT_NE(Window->RecoveryTimer, nullptr);
    EXPECT_EQ(Window->RecoveryTimer->interval(), 20);
    QTest::qWait(100);
    EXPECT_FALSE(CopyOnDisk().has_value()) << "a guide without changes needs no copy";

    Type(Page->DialogueMemo, QStringLiteral("Typed\nin the window"));
    ASSERT_TRUE(WaitFor([this] {
        const auto copy = CopyOnDisk();
        return copy &&
               RecordList(copy->Lines).ReadRecord(1).Dialogue.find("Typed\r\nin the window") !=
                   std::string::npos;
    })) << "the typed text reaches the copy";
    EXPECT_TRUE(Core().Document.Records.Empty()) << "the record is not committed";
    EXPECT_TRUE(Window->Save1->isEnabled());

    Platform.MessageAnswers.push_back(MsgAnswer::No); // "Save changes to Untitled?"
    Window->close();
    EXPECT_FALSE(Window->isVisible());
    EXPECT_FALSE(Window->RecoveryTimer->isActive());
    EXPECT_TRUE(QDir(Folder()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

TEST(RecoveryTimerSettingsTest, IntervalIsAMinuteUnlessTheEnvironmentShortensIt) {
    qunsetenv("DRAVENLOOM_RECOVERY_INTERVAL_MS");
    EXPECT_EQ(RecoveryInterval(), 60000);
    qputenv("DRAVENLOOM_RECOVERY_INTERVAL_MS", "250");
    EXPECT_EQ(RecoveryInterval(), 250);
    for (const char* bad : {"0", "-5", "soon"}) {
        qputenv("DRAVENLOOM_RECOVERY_INTERVAL_MS", bad);
        EXPECT_EQ(RecoveryInterval(), 60000) << bad;
    }
    qunsetenv("DRAVENLOOM_RECOVERY_INTERVAL_MS");
    EXPECT_TRUE(QString::fromStdString(RecoveryDirectory()).endsWith(QStringLiteral("/recovery")));
}

} // namespace
} // namespace dravenloom
