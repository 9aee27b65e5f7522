// The File menu's "Export Proof Copy...": where it stands, the dialog it asks, the PDF it
// writes of the guide in the editor, and the message when the file cannot be written.
#include "app/MainWindowFixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

class ProofMenuTest : public MainWindowFixture {};

TEST_F(ProofMenuTest, TheFileMenuWritesAProofCopyOrSaysWhyNot) {
    const QList<QAction*> items = Window->FileMenu->actions();
    const auto proof = items.indexOf(Window->ExportProofCopy1);
    ASSERT_GT(proof, 0);
    EXPECT_EQ(items[proof - 1], Window->ExportAsOnePage1);
    EXPECT_EQ(Window->ExportProofCopy1->text(), QStringLiteral("Export P&roof Copy..."));

    Type(Page->DialogueMemo, QStringLiteral("Is the lamp on?"));
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("lamp proof.pdf"));
    Platform.DialogAnswers.push_back(pdf.toStdString());
    Window->ExportProofCopy1->trigger();
    ASSERT_EQ(Platform.SaveDialogs.size(), 1u);
    EXPECT_EQ(Platform.SaveDialogs[0].Title, "Export Proof Copy");
    EXPECT_EQ(Platform.SaveDialogs[0].FileName, "Untitled.pdf");
    EXPECT_EQ(Platform.SaveDialogs[0].DefaultExt, "pdf");
    EXPECT_TRUE(Platform.Messages.empty());
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("%PDF-"));
    EXPECT_EQ(Window->StatusPanel->text(),
              QStringLiteral("Wrote the proof copy of Untitled to lamp proof.pdf"));
    // The record being edited is in it, unsaved as it is.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_TRUE(text.readAllStandardOutput().contains("Is the lamp on?"));

    const QString nowhere = folder.filePath(QStringLiteral("gone/lamp.html"));
    Platform.DialogAnswers.push_back(nowhere.toStdString());
    Window->ExportProofCopy1->trigger();
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Caption, "Error");
    EXPECT_NE(Platform.Messages[0].Text.find(nowhere.toStdString()), std::string::npos)
        << Platform.Messages[0].Text;
    EXPECT_FALSE(QFile::exists(nowhere));
}

} // namespace
} // namespace dravenloom
