#include "support/RomFixture.h"

#include <QFile>

#include <random>

namespace zorvek::test {

RomFixture RomFixture::standard()
{
    RomFixture rom;
    rom.copierHeader(1).checkWord(0x1878).internalName("KELVARNTHOSIA 5");
    return rom;
}

RomFixture RomFixture::standard(uint32_t seed)
{
    RomFixture rom;
    rom.fillRandom(seed).copierHeader(1).checkWord(0x1878).internalName("KELVARNTHOSIA 5");
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

RomFixture& RomFixture::valueAt(qint64 offset, int width, uint32_t value)
{
    QByteArray bytes(width, '\0');
    for (int i = 0; i < width; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytesAt(offset, bytes);
}

RomFixture& RomFixture::copierHeader(int copierIndex)
{
    static const uint32_t words[4][3] = {
        {0, 0, 0}, {0x100, 0, 0x4BBAA}, {0x40080, 0, 0x4BBAA}, {0x80, 0x8377, 0}};
    const auto& w = words[copierIndex];
    return word32At(0, w[0]).word32At(4, w[1]).word32At(8, w[2]);
}

bool RomFixture::writeTo(const QString& path) const
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(m_bytes) == m_bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

uint32_t plainRomSum(const QByteArray& image, qint64 from, qint64 to)
{
    uint32_t sum = 0;
    for (qint64 i = from; i < to; ++i)
        sum += i >= 0xFFDC && i < 0xFFE0 ? (i < 0xFFDE ? 0xFF : 0) : static_cast<uint8_t>(image[0x200 + i]);
    return sum;
}

} // namespace zorvek::test
