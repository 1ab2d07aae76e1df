#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace zorvek::test {

// Builds a synthetic ROM image in memory. Positions are written out here
// independently of the product's constants, so a wrong constant shows.
class RomFixture {
public:
    static constexpr qint64 kMinimumSize = 0x117340;  // through the end of the character table
    static constexpr qint64 kFullSize = 0x200200;     // a whole image with its copier header
    static constexpr qint64 kMonsterTable = 0x100200;
    static constexpr qint64 kCharacterTable = 0x117200;
    static constexpr qint64 kInternalName = 0x101C0;

    explicit RomFixture(qint64 size = kMinimumSize) : m_bytes(static_cast<int>(size), '\0') {}

    // Super MagiCom header, right check word, default internal name.
    static RomFixture standard();
    // The same over random bytes everywhere else.
    static RomFixture standard(uint32_t seed);

    RomFixture& fillRandom(uint32_t seed);
    RomFixture& bytesAt(qint64 offset, const QByteArray& bytes);
    // Low byte first.
    RomFixture& valueAt(qint64 offset, int width, uint32_t value);
    RomFixture& byteAt(qint64 offset, uint8_t value) { return valueAt(offset, 1, value); }
    RomFixture& word16At(qint64 offset, uint16_t value) { return valueAt(offset, 2, value); }
    RomFixture& word32At(qint64 offset, uint32_t value) { return valueAt(offset, 4, value); }
    RomFixture& checkWord(uint16_t value) { return word16At(0x200, value); }
    // Index 0 to 3 as the copier type list numbers them.
    RomFixture& copierHeader(int copierIndex);
    // Padded with blanks to 21 characters.
    RomFixture& internalName(const QByteArray& name)
    {
        return bytesAt(kInternalName, name.leftJustified(21, ' ', true));
    }
    RomFixture& monsterByte(int record, int k, uint8_t value) { return byteAt(monster(record, k), value); }
    RomFixture& monsterWord(int record, int k, uint16_t value) { return word16At(monster(record, k), value); }
    RomFixture& characterByte(int slot, int k, uint8_t value) { return byteAt(character(slot, k), value); }
    RomFixture& characterWord(int slot, int k, uint16_t value) { return word16At(character(slot, k), value); }

    static qint64 monster(int record, int k) { return kMonsterTable + 32 * record + k; }
    static qint64 character(int slot, int k) { return kCharacterTable + 80 * slot + k; }

    const QByteArray& bytes() const { return m_bytes; }
    // Writes the image to path; false if it could not be written.
    bool writeTo(const QString& path) const;

private:
    QByteArray m_bytes;
};

// Reads a whole file (empty if missing).
QByteArray readFile(const QString& path);

// Plain sum of the ROM data [from, to) of a headered image, the four bytes at
// ROM 0xFFDC counted as FF FF 00 00 (a valid pair of checksum words).
uint32_t plainRomSum(const QByteArray& image, qint64 from, qint64 to);

} // namespace zorvek::test
