#include "data/Artwork.h"
#include "data/GameData.h"

#include <QColor>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

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
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != first)
                return false;
    return true;
}

bool hasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

struct Row {
    int first, last;
    const char* text;
};

// Runs of equal neighbouring entries; a trailing blank belongs to the text.
const Row kAttackRows[] = {
    {0x00, 0x01, "Small-Medium Grey Stars"},
    {0x02, 0x04, "Horizontal Grey Slash"},
    {0x05, 0x05, "Horizontal Light Blue Slash"},
    {0x06, 0x06, "Horizontal Grey Slash"},
    {0x07, 0x09, "Horizontal Blue Slash"},
    {0x0A, 0x0A, "Horizontal Dark Pink Slash"},
    {0x0B, 0x0B, "Horizontal Light Green Slash"},
    {0x0C, 0x0D, "Horizontal Deep Red Slash"},
    {0x0E, 0x0F, "Diagonal Bluish Green Slash"},
    {0x10, 0x10, "Diagonal Blue Slash"},
    {0x11, 0x11, "Diagonal Light Green Slash"},
    {0x12, 0x12, "Diagonal Grey Slash"},
    {0x13, 0x13, "Diagonal Blue Slash"},
    {0x14, 0x15, "Curl Fire Slash (Emberwhirl Blade)"},
    {0x16, 0x17, "Horizontal Grey Slash"},
    {0x18, 0x18, "Horizontal Light Blue Slash"},
    {0x19, 0x19, "Horizontal Blue Lightning"},
    {0x1A, 0x1A, "Horizontal Light Green Slash"},
    {0x1B, 0x1C, "Horizontal Grey Slash"},
    {0x1D, 0x1D, "Diagonal Blue Slashes"},
    {0x1E, 0x1E, "Horizontal Blue Slash"},
    {0x1F, 0x20, "Horizontal Deep Red Slash"},
    {0x21, 0x21, "Vertical Grey Jagged Slash"},
    {0x22, 0x22, "Large Light Blue Star"},
    {0x23, 0x23, "Vertical Yellow Jagged Slash"},
    {0x24, 0x24, "Large Grey Star"},
    {0x25, 0x25, "Vertical Dark Pink Jagged Slash"},
    {0x26, 0x26, "Large Grey Star"},
    {0x27, 0x27, "Vertical Yellow Jagged Slash"},
    {0x28, 0x28, "Blue Curl Slash"},
    {0x29, 0x2B, "Reverse Grey Curl Slash"},
    {0x2C, 0x2C, "Reverse Blue Curl Slash"},
    {0x2D, 0x2F, "Reverse Grey Curl Slash"},
    {0x30, 0x31, "Reverse Blue Curl Slash"},
    {0x32, 0x32, "Small-Medium Grey Stars"},
    {0x33, 0x33, "Small-Medium Red Stars"},
    {0x34, 0x34, "Small-Medium Blue Stars"},
    {0x35, 0x35, "Small-Medium Yellow Stars"},
    {0x36, 0x36, "Small-Medium Grey Stars"},
    {0x37, 0x37, "Small-Medium Dark Pink Stars"},
    {0x38, 0x39, "Small-Medium Grey Stars"},
    {0x3A, 0x3A, "Small-Medium Light Blue Stars"},
    {0x3B, 0x3B, "Small-Medium Deep Red Stars"},
    {0x3C, 0x3C, "Blank"},
    {0x3D, 0x3D, "Small-Medium Yellow Stars"},
    {0x3E, 0x3E, "Small-Medium Blue Stars"},
    {0x3F, 0x3F, "Small-Medium Grey Stars"},
    {0x40, 0x40, "Small Red Arrow"},
    {0x41, 0x41, "Small Blue Arrow"},
    {0x42, 0x42, "Small Yellow/Green Arrow"},
    {0x43, 0x44, "Small Grey Arrow"},
    {0x45, 0x45, "Small Pink Arrow"},
    {0x46, 0x46, "Large Blue Arrow"},
    {0x47, 0x47, "Large Grey Arrow"},
    {0x48, 0x4A, "Blank"},
    {0x4B, 0x4B, "Grey Curl Slash "},
    {0x4C, 0x4C, "Light Blue Curl Slash "},
    {0x4D, 0x4D, "Yellow Curl Slash "},
    {0x4E, 0x4E, "Red Curl Slash "},
    {0x4F, 0x4F, "Deep Red Curl Slash "},
    {0x50, 0x51, "Yellow Bells"},
    {0x52, 0x52, "Green Bells"},
    {0x53, 0x53, "Pink Bells"},
    {0x54, 0x54, "Reverse Diagonal Grey Slash"},
    {0x55, 0x55, "Reverse Diagonal Deep Red Slash"},
    {0x56, 0x56, "Reverse Diagonal Light Green Slash"},
    {0x57, 0x57, "Fire Curl Slash"},
    {0x58, 0x58, "Ice Slash"},
    {0x59, 0x59, "Blue Curl Slash"},
    {0x5A, 0x5A, "Small Chinese Star"},
    {0x5B, 0x5B, "Large Chinese Star"},
    {0x5C, 0x5C, "Reverse Diagonal Yellow Slash"},
    {0x5D, 0x5D, "Reverse Diagonal Grey Slash"},
    {0x5E, 0x5E, "Multiple Large Grey Stars"},
    {0x5F, 0x5F, "Multiple Large Blue Stars"},
    {0x60, 0x60, "Blank"},
    {0x61, 0x61, "Reverse Diagonal Grey Slash"},
    {0x62, 0x62, "Horizontal Grey Slash"},
    {0x63, 0x63, "Reverse Diagonal Black Slash"},
    {0x64, 0x64, "Horizontal Grey Slash"},
    {0x65, 0x65, "Deep Red Curl Slash"},
    {0x66, 0x69, "Small Grey Arrow"},
    {0x6A, 0x6B, "Vertical Black Jagged Slash"},
    {0x6C, 0x6E, "Horizontal Grey Slash"},
    {0x6F, 0x6F, "Reverse Diagonal Grey Slash"},
    {0x70, 0x7F, "Reverse Diagonal Black Slash"},
    {0x80, 0x80, "Multiple Large Red Stars"},
    {0x81, 0x81, "Grey Curl Slash"},
    {0x82, 0x82, "Reverse Grey Curl Slash"},
    {0x83, 0x83, "Blue Curl Slash"},
    {0x84, 0x84, "Reverse Blue Curl Slash"},
    {0x85, 0x88, "Dual Yellow Curl Slashes"},
    {0x89, 0x8D, "Reverse Diagonal Black Slash"},
    {0x8E, 0x8E, "Fire Curl Slash"},
    {0x8F, 0x8F, "Ice Diagonal Slash"},
    {0x90, 0x90, "Bolt Diagonal Slash"},
    {0x91, 0x91, "Reverse Diagonal Blue Slash"},
    {0x92, 0x92, "Reverse Diagonal Red/Yellow Slash"},
    {0x93, 0x93, "Reverse Diagonal Grey Slash"},
    {0x94, 0x94, "Fire Curl Slash"},
    {0x95, 0x95, "Ice Diagonal Slash"},
    {0x96, 0x96, "Bolt Diagonal Slash"},
    {0x97, 0x97, "Reverse Diagonal Red/Yellow Slash"},
    {0x98, 0x98, "Reverse Diagonal Grey Slash"},
    {0x99, 0x99, "Reverse Diagonal Red/Green Slash"},
    {0x9A, 0x9A, "Fire Curl Slash"},
    {0x9B, 0x9B, "Ice Diagonal Slash"},
    {0x9C, 0x9C, "Bolt Diagonal Slash"},
    {0x9D, 0x9D, "Reverse Diagonal Blue Slash"},
    {0x9E, 0x9E, "Reverse Diagonal Red/Yellow Slash"},
    {0x9F, 0x9F, "Reverse Diagonal Grey Slash"},
    {0xA0, 0xA3, "Glitch"},
    {0xA4, 0xA4, "Blank"},
    {0xA5, 0xA5, "Glitch"},
    {0xA6, 0xA6, "Blank"},
    {0xA7, 0xA7, "Small-Medium Grey Stars"},
    {0xA8, 0xA8, "Glitch"},
    {0xA9, 0xA9, "Small-Medium Blue Stars"},
    {0xAA, 0xAC, "Glitch"},
    {0xAD, 0xAD, "Grey Curl Slash"},
    {0xAE, 0xAE, "Glitch"},
    {0xAF, 0xAF, "Small-Medium Grey Stars"},
    {0xB0, 0xB0, "Blank"},
    {0xB1, 0xB1, "Horizontal Light Blue Slash"},
    {0xB2, 0xB4, "Glitch"},
    {0xB5, 0xB5, "Small Grey Arrow"},
    {0xB6, 0xB6, "Glitch"},
    {0xB7, 0xB7, "Small-Medium Grey Stars"},
    {0xB8, 0xB8, "Reverse Diagonal Grey Slash"},
    {0xB9, 0xB9, "Blank"},
    {0xBA, 0xBB, "Glitch"},
    {0xBC, 0xBF, "Glitch-Crashes Game"},
    {0xC0, 0xC0, "Glitch"},
    {0xC1, 0xC1, "Small-Medium Grey Stars"},
    {0xC2, 0xC2, "Glitch"},
    {0xC3, 0xC3, "Small-Medium Grey Stars"},
    {0xC4, 0xC4, "Blank"},
    {0xC5, 0xC5, "Glitch"},
    {0xC6, 0xC6, "Horizontal Grey Slash"},
    {0xC7, 0xC7, "Glitch"},
    {0xC8, 0xC8, "Reverse Diagonal Grey Slash"},
    {0xC9, 0xC9, "Glitch"},
    {0xCA, 0xCA, "Blank-Crashes Game"},
    {0xCB, 0xCB, "Vertical Dark Pink Jagged Slash"},
    {0xCC, 0xCC, "Small-Medium Grey Stars"},
    {0xCD, 0xCD, "Small-Medium Yellow Stars"},
    {0xCE, 0xCE, "Small-Medium Blue Stars"},
    {0xCF, 0xCF, "Glitch-Crashes Game"},
};

} // namespace

TEST(GameData, TablesHaveOneEntryPerByteValue)
{
    EXPECT_EQ(monsterNames().size(), 256);
    EXPECT_EQ(equipmentLabels().size(), 256);
    EXPECT_EQ(battleCommandLabels().size(), 160);
    EXPECT_EQ(attackAnimationDescriptions().size(), 208);
}

TEST(GameData, PlaceholdersSitExactlyAtTheirPositions)
{
    const QStringList& names = monsterNames();
    EXPECT_EQ(positionsOf(names, "Unknown"), (std::set<int>{141, 173, 174, 175, 176}));
    EXPECT_EQ(positionsOf(names, "????"), std::set<int>{228});
    EXPECT_EQ(positionsOf(names, "(No name)"), std::set<int>{255});

    const QStringList& equipment = equipmentLabels();
    EXPECT_EQ(positionsOf(equipment, "Blank"), range(0xD1, 0xDF, range(0x6F, 0x7F, {0x00, 0xFF})));
    EXPECT_EQ(positionsOf(equipment, "Empty"), (std::set<int>{0x01, 0x80}));
    EXPECT_EQ(positionsOf(equipment, "Dummy"), std::set<int>{0xEE});

    const QStringList& commands = battleCommandLabels();
    EXPECT_EQ(positionsOf(commands, "Blank"), range(0x51, 0x7F, {0x00, 0x4E, 0x4F}));
    EXPECT_EQ(positionsOf(commands, "Dummy"), (std::set<int>{0x24, 0x27, 0x50}));
    EXPECT_EQ(positionsOf(commands, "Equip ?"), std::set<int>{0x82});

    for (const QStringList* list : {&equipment, &commands}) {
        for (const QString& label : *list) {
            EXPECT_FALSE(label.trimmed().isEmpty());
            EXPECT_LE(label.size(), 20) << label.toStdString();
        }
    }
}

TEST(GameData, MonsterNamesFollowTheNameRules)
{
    const QStringList& names = monsterNames();
    const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9 '().?]{3,16}$"));
    const QRegularExpression unsafeForFiles(QStringLiteral(R"([\\/:*?"<>|])"));
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(allowed.match(names[i]).hasMatch()) << i << " " << names[i].toStdString();
        if (i != 228) { // the one name that makes the stats dump fail
            EXPECT_FALSE(names[i].contains(unsafeForFiles)) << i << " " << names[i].toStdString();
        }
    }
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 229);
}

TEST(GameData, AttackDescriptionsMatchTheTableExactly)
{
    const QStringList& descriptions = attackAnimationDescriptions();
    std::vector<bool> covered(208, false);
    for (const Row& row : kAttackRows)
        for (int i = row.first; i <= row.last; ++i) {
            ASSERT_LT(i, descriptions.size());
            EXPECT_EQ(descriptions[i], QString::fromLatin1(row.text)) << "entry " << i;
            covered[i] = true;
        }
    EXPECT_EQ(std::count(covered.begin(), covered.end(), true), 208);
    for (int i = 0x4B; i <= 0x4F; ++i)
        EXPECT_TRUE(descriptions[i].endsWith(QLatin1String("Slash "))) << i;

    // The weapon in the two named entries is one of the game's weapons.
    const QString named = descriptions[0x14];
    const QString weapon = named.mid(named.indexOf('(') + 1).chopped(1);
    EXPECT_EQ(descriptions[0x15], named);
    EXPECT_EQ(named, "Curl Fire Slash (" + weapon + ")");
    const int at = equipmentLabels().indexOf(weapon);
    EXPECT_GE(at, 0x02);
    EXPECT_LE(at, 0x6E);
}

TEST(Artwork, EveryAttackHasA64PixelPictureAndNothingBeyond)
{
    for (int i = 0; i < 208; ++i) {
        const QImage image = attackAnimationPicture(i);
        ASSERT_FALSE(image.isNull()) << i;
        EXPECT_EQ(image.size(), QSize(64, 64)) << i;
    }
    EXPECT_TRUE(attackAnimationPicture(208).isNull());
    EXPECT_TRUE(attackAnimationPicture(-1).isNull());
}

TEST(Artwork, BlankAndGlitchPicturesBehave)
{
    const QStringList& descriptions = attackAnimationDescriptions();
    for (int i = 0; i < 208; ++i) {
        if (descriptions[i] == "Blank") {
            EXPECT_TRUE(uniform(attackAnimationPicture(i))) << i;
        }
    }

    EXPECT_NE(attackAnimationPicture(0xA0), attackAnimationPicture(0xA1));
    EXPECT_EQ(attackAnimationPicture(0xA0), attackAnimationPicture(0xA0));

    // Crashing entries are marked red at the edge; the plain ones are not.
    const QColor crashEdge = attackAnimationPicture(0xCA).pixelColor(1, 32);
    EXPECT_GT(crashEdge.red(), 200);
    EXPECT_LT(crashEdge.green(), 60);
    EXPECT_EQ(attackAnimationPicture(0xCF).pixelColor(32, 1), crashEdge);
    EXPECT_NE(attackAnimationPicture(0x60).pixelColor(1, 32), crashEdge);
}

TEST(Artwork, PicturesFollowTheDescription)
{
    // One picture per look: equal texts draw alike, different texts differ
    // (glitches aside, which depend on the index).
    const QStringList& descriptions = attackAnimationDescriptions();
    EXPECT_EQ(attackAnimationPicture(0x00), attackAnimationPicture(0x32));
    EXPECT_EQ(attackAnimationPicture(0x4B), attackAnimationPicture(0x81)); // trailing blank aside
    std::map<QString, QImage> byLook;
    for (int i = 0; i < 208; ++i)
        byLook.emplace(descriptions[i].trimmed(), attackAnimationPicture(i));
    for (auto a = byLook.begin(); a != byLook.end(); ++a)
        for (auto b = std::next(a); b != byLook.end(); ++b)
            EXPECT_NE(a->second, b->second) << a->first.toStdString() << " / " << b->first.toStdString();
}

TEST(Artwork, FixedPicturesHaveTheirSizes)
{
    EXPECT_EQ(monsterPlaceholderPicture().size(), QSize(153, 119));
    EXPECT_EQ(dumpButtonPicture().size(), QSize(32, 32));
    EXPECT_EQ(lockButtonPicture().size(), QSize(32, 32));
    EXPECT_EQ(aboutPicture().size(), QSize(64, 64));
    EXPECT_EQ(applicationIcon().size(), QSize(64, 64));
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(equipmentIcon(slot).size(), QSize(16, 16)) << slot;
        EXPECT_TRUE(hasInk(equipmentIcon(slot))) << slot;
    }
    EXPECT_TRUE(equipmentIcon(5).isNull());
    for (const char* key : {"Open", "Save", "Config", "URL", "Characters", "Monsters"}) {
        const QImage icon = toolbarIcon(QString::fromLatin1(key));
        EXPECT_EQ(icon.size(), QSize(32, 32)) << key;
        EXPECT_TRUE(hasInk(icon)) << key;
    }
    EXPECT_TRUE(toolbarIcon("Help").isNull());
}
