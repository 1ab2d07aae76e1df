// libFuzzer target over the rollback journal's reader: whatever file lies at
// an image's journal name, opening the image neither crashes nor hangs, and
// the image changes only when a whole journal of its own step is taken back.
// An even first byte makes the rest a step the writer encodes, then cuts or
// flips, so that whole journals are reached as often as damaged ones.

#include "core/image/RollbackJournal.h"
#include "core/image/RomImage.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

using namespace zorvek;

namespace {

constexpr qint64 kImageSize = 4096;

void require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

QByteArray get(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Changes of the original image's bytes, the image holding the after bytes
// of the first few; then the journal cut or one bit flipped.
QByteArray crafted(const QByteArray& in, const QByteArray& original, QByteArray& image)
{
    qsizetype at = 1;
    const auto next = [&] { return at < in.size() ? static_cast<quint8>(in[at++]) : quint8{0}; };
    std::vector<JournalChange> changes;
    const int count = next() % 8, landed = next() % 8;
    for (int i = 0; i < count; ++i) {
        const quint8 flags = next();
        qint64 offset = (next() << 8 | next()) % kImageSize;
        if (flags & 0x80)
            offset = 0x7FFFFFFFFFFFFFFF - (flags & 0x0F);
        const int length = 1 + next() % 64;
        QByteArray after;
        for (int k = 0; k < length; ++k)
            after.append(static_cast<char>(next()));
        changes.push_back({offset, original.mid(offset, length).leftJustified(length, '\0'), after});
        if (i < landed && !(flags & 0x80) && offset + length <= kImageSize)
            image.replace(offset, length, after);
    }
    QByteArray journal = rollback::encode(QStringLiteral("game.smc"), kImageSize, changes);
    const quint8 how = next();
    const qsizetype where = (next() << 8 | next()) % (journal.size() + 1);
    if (how % 4 == 1)
        journal.truncate(where);
    else if (how % 4 == 2 && where < journal.size())
        journal[where] = static_cast<char>(journal[where] ^ (1 << (how >> 5)));
    return journal;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 16))
        return 0;
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("game.smc"));
    static const QString journalPath = path + QStringLiteral("-journal");
    QByteArray original(kImageSize, '\0');
    for (qint64 i = 0; i < kImageSize; ++i)
        original[i] = static_cast<char>(i * 37 + 11);
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QByteArray image = original;
    const bool made = !input.isEmpty() && input[0] % 2 == 0;
    const QByteArray journal = made ? crafted(input, original, image) : input;
    put(path, image);
    put(journalPath, journal);

    QByteArray copy = image;
    const rollback::Recovery read = rollback::recoverCopy(path, copy);
    RomImage rom;
    require(rom.open(path).ok());
    const rollback::Recovery found = rollback::recover(rom);
    rom.close();
    using State = rollback::Recovery::State;
    require(found.state == read.state || (found.state == State::TornRemoved && read.state == State::None));
    const QByteArray now = get(path);
    if (found.state == State::TakenBack) {
        require(now == copy && (!made || now == original) && !QFile::exists(journalPath));
    } else {
        require(now == image && copy == image);
        require(found.state == State::TornRemoved ? !QFile::exists(journalPath) : get(journalPath) == journal);
    }
    QFile::remove(journalPath);
    return 0;
}
