// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Artwork.h"
#include "data/GameData.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace zorvek::data;

namespace {

std::set<int> positionsOf(const QStringList& list, const QString& text)
{
    std::set<int> out;
    for (int i = 0; i < list.size(); ++i)
        if (list[i] == text)
            out.insert(i);
    return out;
}

std::set<int> range(int first, int last, std::set<int> out = {})
{
    for (int i = first; i <= last; ++i)
        out.insert(i);
    return out;
}

bool uniform(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return false;
    return true;
}

// SHA-1 of the 208 descriptions joined by line feeds, with the two entries
// that name an invented weapon left empty. The descriptions were checked one
// by one against the game's own list; any later change shows here.
constexpr char kDescriptionsDigest[] = "c2fe61ed5637271279d52bdc265a61ae4a050536";

} // namespace

TEST(GameData, TablesHaveOneEntryPerByteValueAndPlaceholdersAtTheirPositions)
{
    const QStringList& names = monsterNames();
    const QStringList& equipment = equipmentLabels();
    const QStringList& commands = battleCommandLabels();
    EXPECT_EQ(QList({names.size(), equipment.size(), commands.size()}), QList<qsizetype>({256, 256, 160}));
    EXPECT_EQ(positionsOf(names, "Unknown"), (std::set<int>{141, 173, 174, 175, 176}));
    EXPECT_EQ(positionsOf(names, "????"), std::set<int>{228});
    EXPECT_EQ(positionsOf(names, "(No name)"), std::set<int>{255});
    EXPECT_EQ(positionsOf(equipment, "Blank"), range(0xD1, 0xDF, range(0x6F, 0x7F, {0x00, 0xFF})));
    EXPECT_EQ(positionsOf(equipment, "Empty"), (std::set<int>{0x01, 0x80}));
    EXPECT_EQ(positionsOf(equipment, "Dummy"), std::set<int>{0xEE});
    EXPECT_EQ(positionsOf(commands, "Blank"), range(0x51, 0x7F, {0x00, 0x4E, 0x4F}));
    EXPECT_EQ(positionsOf(commands, "Dummy"), (std::set<int>{0x24, 0x27, 0x50}));
    EXPECT_EQ(positionsOf(commands, "Equip ?"), std::set<int>{0x82});
    for (const QString& label : equipment + commands)
        EXPECT_TRUE(!label.trimmed().isEmpty() && label.size() <= 20) << label.toStdString();

    // Names fit the list and, but for "????", a file name (the stats dump's).
    const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9 '().?]{3,16}$"));
    for (int i = 0; i < names.size(); ++i)
        EXPECT_TRUE(allowed.match(names[i]).hasMatch() && (i == 228 || !names[i].contains('?')))
            << i << " " << names[i].toStdString();
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 229);
}

TEST(GameData, AttackDescriptionsMatchTheListExactly)
{
    const QStringList& descriptions = attackAnimationDescriptions();
    QStringList fixed = descriptions;
    fixed[0x14].clear();
    fixed[0x15].clear();
    EXPECT_EQ(QCryptographicHash::hash(fixed.join('\n').toUtf8(), QCryptographicHash::Sha1).toHex(),
              kDescriptionsDigest);

    // The weapon in the two named entries is one of the game's weapons.
    const QString named = descriptions[0x14];
    const QString weapon = named.mid(named.indexOf('(') + 1).chopped(1);
    EXPECT_EQ(descriptions[0x15], named);
    EXPECT_EQ(named, "Curl Fire Slash (" + weapon + ")");
    const int at = equipmentLabels().indexOf(weapon);
    EXPECT_TRUE(at >= 0x02 && at <= 0x6E) << at;
}

TEST(Artwork, EachAttackLookHasItsOwn64PixelPictureAndTheFixedPicturesTheirSizes)
{
    // Equal texts draw alike (a trailing blank aside), different texts differ;
    // glitches depend on the index, blanks are empty.
    const QStringList& descriptions = attackAnimationDescriptions();
    std::map<QString, QImage> byLook;
    for (int i = 0; i < 208; ++i) {
        const QImage image = attackAnimationPicture(i);
        ASSERT_EQ(image.size(), QSize(64, 64)) << i;
        EXPECT_EQ(uniform(image), descriptions[i] == "Blank") << i;
        const auto [look, added] = byLook.emplace(descriptions[i].trimmed(), image);
        EXPECT_TRUE(added || (look->second == image) != descriptions[i].startsWith("Glitch")) << i;
    }
    for (auto a = byLook.begin(); a != byLook.end(); ++a)
        for (auto b = std::next(a); b != byLook.end(); ++b)
            EXPECT_NE(a->second, b->second) << a->first.toStdString() << " / " << b->first.toStdString();
    EXPECT_TRUE(attackAnimationPicture(208).isNull() && attackAnimationPicture(-1).isNull());

    // Crashing entries are marked red at the edge; the plain ones are not.
    const QColor crashEdge = attackAnimationPicture(0xCA).pixelColor(1, 32);
    EXPECT_TRUE(crashEdge.red() > 200 && crashEdge.green() < 60);
    EXPECT_EQ(attackAnimationPicture(0xCF).pixelColor(32, 1), crashEdge);
    EXPECT_NE(attackAnimationPicture(0x60).pixelColor(1, 32), crashEdge);

    const std::pair<QImage, QSize> fixed[] = {{monsterPlaceholderPicture(), {153, 119}},
                                              {dumpButtonPicture(), {32, 32}},
                                              {lockButtonPicture(), {32, 32}},
                                              {aboutPicture(), {64, 64}},
                                              {applicationIcon(), {64, 64}}};
    for (const auto& [picture, size] : fixed)
        EXPECT_EQ(picture.size(), size);
    for (const char* key : {"Open", "Save", "Config", "URL", "Characters", "Monsters"})
        EXPECT_TRUE(toolbarIcon(key).size() == QSize(32, 32) && !uniform(toolbarIcon(key))) << key;
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_TRUE(equipmentIcon(slot).size() == QSize(16, 16) && !uniform(equipmentIcon(slot))) << slot;
    EXPECT_TRUE(toolbarIcon("Help").isNull() && equipmentIcon(5).isNull());
}
