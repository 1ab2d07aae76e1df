#include "support/RomFixture.h"

#include <QFile>

#include <random>

namespace zorvek::test {

RomFixture::RomFixture(qint64 size) : m_bytes(static_cast<int>(size), '\0') {}

RomFixture RomFixture::standard()
{
    RomFixture rom;
    rom.copierHeader(1).checkWord(0x1878).internalName("KELVARNTHOSIA 5");
    return rom;
}

RomFixture& RomFixture::fillRandom(uint32_t seed)
{
    std::mt19937 gen(seed);
    for (char& c : m_bytes)
        c = static_cast<char>(gen() & 0xFF);
    return *this;
}

RomFixture& RomFixture::bytesAt(qint64 offset, const QByteArray& bytes)
{
    if (offset + bytes.size() > m_bytes.size())
        m_bytes.resize(static_cast<int>(offset + bytes.size()));
    m_bytes.replace(static_cast<int>(offset), bytes.size(), bytes);
    return *this;
}

RomFixture& RomFixture::byteAt(qint64 offset, uint8_t value)
{
    return bytesAt(offset, QByteArray(1, static_cast<char>(value)));
}

RomFixture& RomFixture::word16At(qint64 offset, uint16_t value)
{
    byteAt(offset, value & 0xFF);
    return byteAt(offset + 1, value >> 8);
}

RomFixture& RomFixture::word32At(qint64 offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        byteAt(offset + i, (value >> (8 * i)) & 0xFF);
    return *this;
}

RomFixture& RomFixture::checkWord(uint16_t value) { return word16At(0x200, value); }

RomFixture& RomFixture::copierHeader(int copierIndex)
{
    static const uint32_t words[4][3] = {
        {0, 0, 0}, {0x100, 0, 0x4BBAA}, {0x40080, 0, 0x4BBAA}, {0x80, 0x8377, 0}};
    const auto& w = words[copierIndex];
    return word32At(0, w[0]).word32At(4, w[1]).word32At(8, w[2]);
}

RomFixture& RomFixture::internalName(const QByteArray& name)
{
    return bytesAt(kInternalName, name.leftJustified(21, ' ', true));
}

RomFixture& RomFixture::monsterByte(int record, int k, uint8_t value)
{
    return byteAt(kMonsterTable + 32 * record + k, value);
}

RomFixture& RomFixture::monsterWord(int record, int k, uint16_t value)
{
    return word16At(kMonsterTable + 32 * record + k, value);
}

RomFixture& RomFixture::characterByte(int slot, int k, uint8_t value)
{
    return byteAt(kCharacterTable + 80 * slot + k, value);
}

RomFixture& RomFixture::characterWord(int slot, int k, uint16_t value)
{
    return word16At(kCharacterTable + 80 * slot + k, value);
}

bool RomFixture::writeTo(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(m_bytes) == m_bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

uint32_t plainRomSum(const QByteArray& image, qint64 from, qint64 to)
{
    uint32_t sum = 0;
    for (qint64 i = from; i < to; ++i)
        sum += i >= 0xFFDC && i < 0xFFE0 ? (i < 0xFFDE ? 0xFF : 0) : static_cast<uint8_t>(image[0x200 + i]);
    return sum;
}

} // namespace zorvek::test
