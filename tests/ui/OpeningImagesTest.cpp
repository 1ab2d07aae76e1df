// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/GuiTestBase.h"
#include "ui/FileOpenEventFilter.h"

#include <QComboBox>
#include <QFileOpenEvent>
#include <QMenu>

using namespace zorvek;
using namespace zorvek::test;
using namespace zorvek::ui;

namespace {

// This game's ROM data as a headerless dump holds it, 64 banks of 32 KiB
// with the name where the cartridge header keeps it.
const QByteArray kBare = RomFixture(RomFixture::kFullSize)
                             .fillRandom(1505)
                             .checkWord(0x1878)
                             .internalName("KELVARNTHOSIA 5")
                             .bytes()
                             .mid(0x200);
// A Super MagiCom header as Save ROM writes it, written out by hand.
const QByteArray kSmcHeader = QByteArray::fromHex("0001000000000000AABB0400") + QByteArray(500, '\0');
const QString kRefusal = QStringLiteral("You must load the correct Zorvek ROM file.  Application will now close.");

class OpeningImagesTest : public GuiTestBase {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(tempPath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }

    QString shownName() { return find<QLineEdit>("InternalROMNameTXT")->text(); }

    // The recent entries as their menu shows them: text and folder.
    QStringList recentEntries()
    {
        QStringList entries;
        for (QAction* action : find<QMenu>("mnuRecent")->actions())
            if (!action->isSeparator())
                entries << action->text() + (action->statusTip().isEmpty() ? "" : " in " + action->statusTip());
        return entries;
    }
};

TEST_F(OpeningImagesTest, AddCopierHeaderWritesTheHeaderedCopyAndOpensItOrSaysWhatAFileIsInstead)
{
    const QString bare = write("game.sfc", kBare);
    effects.openAnswers.push_back(bare);
    effects.saveAnswers.push_back(SaveChoice{tempPath("game.smc"), "Super MagiCom ROM File (*.smc)"});
    trigger("mnuAddHeader");
    EXPECT_EQ(effects.lastFilters, QStringList({"Super MagiCom ROM File (*.smc)", "All Files (*.*)"}));
    EXPECT_EQ(effects.lastSuggestedPath, tempPath("game.smc"));
    EXPECT_EQ(readFile(tempPath("game.smc")), kSmcHeader + kBare);
    EXPECT_EQ(readFile(bare), kBare);
    EXPECT_EQ(form1->session().rom().path(), tempPath("game.smc"));
    EXPECT_EQ(shownName(), "KELVARNTHOSIA 5      ");
    EXPECT_EQ(find<QComboBox>("CopierTypeCBO")->currentIndex(), 1);
    EXPECT_TRUE(effects.messages.empty());

    // A headerless dump named .smc is never offered, nor written, as its own copy.
    const QString named = write("dump.smc", kBare);
    effects.openAnswers.push_back(named);
    effects.saveAnswers.push_back(SaveChoice{named, "Super MagiCom ROM File (*.smc)"});
    trigger("mnuAddHeader");
    EXPECT_EQ(effects.lastSuggestedPath, tempPath("dump (with header).smc"));
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_TRUE(effects.messages[0].text.contains("image being copied"));
    EXPECT_EQ(readFile(named), kBare);
    EXPECT_EQ(form1->session().rom().path(), tempPath("game.smc")); // still open

    // Other files are refused before the save dialog, saying what they are instead.
    const std::pair<QString, QString> refused[] = {
        {write("headered.smc", kSmcHeader + kBare), "already has a copier header"},
        {write("other.sfc", QByteArray(kBare).replace(0, 2, "\x12\x34")), "not this game's ROM data"},
        {write("cut.sfc", kBare.left(0x10000 + 7)), "not a whole number of 32 KiB banks"},
        {tempPath("absent.sfc"), "absent.sfc\" could not be read"},
    };
    for (const auto& [path, said] : refused) {
        effects.messages.clear();
        effects.openAnswers.push_back(path);
        trigger("mnuAddHeader");
        EXPECT_EQ(effects.lastFilters.first(), "Headerless ROM File (*.sfc)");
        ASSERT_EQ(effects.messages.size(), 1u);
        EXPECT_TRUE(effects.messages[0].text.contains(said)) << effects.messages[0].text.toStdString();
    }
    EXPECT_EQ(effects.saveDialogCount, 2);
    EXPECT_FALSE(effects.endedWith.has_value());
    EXPECT_EQ(QDir(tempPath("")).entryList(QDir::Files).join(' '),
              "cut.sfc dump.smc game.sfc game.smc headered.smc other.sfc");

    // File > Open keeps refusing a headerless image, and ends the program,
    // saying what it is and the way to edit it.
    openPath(write("game.sfc", kBare));
    EXPECT_EQ(effects.messages.back().text, kRefusal);
    EXPECT_TRUE(effects.informativeTexts.back().contains("without a copier header"));
    EXPECT_TRUE(effects.informativeTexts.back().contains("File > Add Copier Header..."));
    EXPECT_EQ(effects.endedWith, 1);
    EXPECT_EQ(readFile(tempPath("game.sfc")), kBare);
}

TEST_F(OpeningImagesTest, OneDroppedOrHandedOverImageOpensAsOpenWouldAndAnythingElseIsIgnored)
{
    const QString first = write("first.smc", kSmcHeader + kBare);
    const QString second = write("second.smc", kSmcHeader + kBare);
    const QString handed = write("handed.smc", kSmcHeader + kBare);
    dropOnto(form1.get(), {}, {QUrl::fromLocalFile(first)});
    EXPECT_EQ(form1->session().rom().path(), first);
    // The title names the open image.
    EXPECT_EQ(form1->windowTitle(), QString::fromUtf8("first.smc \u2014 Zorvek Multi Editor"));
    EXPECT_EQ(form1->windowFilePath(), first);
    // Onto the name box too, which takes dropped text otherwise.
    typeInto(form1.get(), "InternalROMNameTXT", "X");
    dropOnto(find<QLineEdit>("InternalROMNameTXT"), "AB", {QUrl::fromLocalFile(second)});
    EXPECT_EQ(form1->session().rom().path(), second);
    EXPECT_EQ(shownName(), "KELVARNTHOSIA 5      ");

    dropOnto(form1.get(), {}, {QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
    dropOnto(form1.get(), {}, {QUrl::fromLocalFile(tempPath(""))});
    dropOnto(form1.get(), {}, {QUrl("https://example.org/game.smc")});
    dropOnto(form1.get(), "some text", {});
    EXPECT_EQ(form1->session().rom().path(), second);

    // Handed over by the system, as a file or as an address it cannot open.
    FileOpenEventFilter filter(*form1);
    qApp->installEventFilter(&filter);
    QFileOpenEvent file(handed), remote(QUrl("https://example.org/game.smc"));
    QCoreApplication::sendEvent(qApp, &file);
    QCoreApplication::sendEvent(qApp, &remote);
    QCoreApplication::processEvents();
    EXPECT_EQ(form1->session().rom().path(), handed);
    EXPECT_TRUE(effects.messages.empty());
    EXPECT_EQ(effects.openDialogCount, 0);
}

TEST_F(OpeningImagesTest, OpenRecentKeepsTheLastEightAcrossARestart)
{
    ASSERT_TRUE(QDir().mkpath(tempPath("a & b")));
    EXPECT_EQ(recentEntries(), QStringList({"&Clear List"}));
    EXPECT_FALSE(find<QAction>("mnuClearRecent")->isEnabled());
    for (int i = 1; i <= 9; ++i)
        openImage(RomFixture::standard(), QString("a & b/image%1.smc").arg(i));
    openImage(RomFixture::standard(), "a & b/image3.smc"); // again: moves to the top, once
    openPath(write("wrong.smc", QByteArray(0x300, '\0'))); // refused: not listed

    const QString folder = QDir::toNativeSeparators(tempPath("a & b"));
    const QStringList expected = {"image3.smc in " + folder, "image9.smc in " + folder, "image8.smc in " + folder,
                                  "image7.smc in " + folder, "image6.smc in " + folder, "image5.smc in " + folder,
                                  "image4.smc in " + folder, "image2.smc in " + folder, "&Clear List"};
    EXPECT_EQ(recentEntries(), expected);
    form1 = std::make_unique<ui::MainWindow>(effects); // a restart
    EXPECT_EQ(recentEntries(), expected);

    // Opening from the list is Open without the dialog.
    const int dialogs = effects.openDialogCount;
    trigger("mnuRecentImage2");
    EXPECT_EQ(form1->session().rom().path(), tempPath("a & b/image9.smc"));
    EXPECT_EQ(effects.openDialogCount, dialogs);
    EXPECT_EQ(recentEntries().first(), "image9.smc in " + folder);

    // A file that is gone goes off the list, with a message.
    effects.messages.clear();
    ASSERT_TRUE(QFile::remove(tempPath("a & b/image3.smc")));
    trigger("mnuRecentImage2");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_TRUE(effects.messages[0].text.contains("image3.smc"));
    EXPECT_EQ(recentEntries().size(), 8);
    EXPECT_EQ(form1->session().rom().path(), tempPath("a & b/image9.smc"));

    trigger("mnuClearRecent");
    form1 = std::make_unique<ui::MainWindow>(effects);
    EXPECT_EQ(recentEntries(), QStringList({"&Clear List"}));
}

} // namespace
