// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over whatever lies at an image's journal name: opening the
// image never crashes or hangs, and changes it only by taking back a whole
// journal of its own step. An even first byte makes the rest a step the
// writer encodes (its first writes landed), then cuts or flips, so whole
// journals are reached as often as damaged ones.

#include "FuzzCheck.h"
#include "core/image/RollbackJournal.h"
#include "core/image/RomImage.h"

#include <QFile>
#include <QTemporaryDir>

using namespace zorvek;

namespace {

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

QByteArray crafted(const QByteArray& in, const QByteArray& original, QByteArray& image)
{
    qsizetype at = 1;
    const auto next = [&] { return at < in.size() ? static_cast<quint8>(in[at++]) : 0; };
    std::vector<ByteChange> changes;
    for (int i = 0, count = next() % 8, landed = next() % 8; i < count; ++i) {
        const int flags = next(), length = 1 + next() % 64;
        const qint64 offset = flags & 0x80 ? 0x7FFFFFFFFFFFFFFF - (flags & 0x0F) : (next() << 8 | next()) % 4000;
        QByteArray after;
        while (after.size() < length)
            after.append(static_cast<char>(next()));
        changes.push_back({offset, original.mid(offset, length).leftJustified(length, '\0'), after});
        if (i < landed && offset < 4000)
            image.replace(offset, length, after);
    }
    QByteArray journal = rollback::encode(QStringLiteral("game.smc"), original.size(), changes);
    const int how = next(), where = (next() << 8 | next()) % (journal.size() + 1);
    if (how % 4 == 1)
        journal.truncate(where);
    else if (how % 4 == 2 && where < journal.size())
        journal[where] = static_cast<char>(journal[where] ^ (1 << (how >> 5)));
    return journal;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("game.smc")), journalPath = path + QStringLiteral("-journal");
    QByteArray original(4096, '\0');
    for (qsizetype i = 0; i < original.size(); ++i)
        original[i] = static_cast<char>(i * 37 + 11);
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(qMin<size_t>(size, 1 << 16)));
    QByteArray image = original;
    const bool made = !input.isEmpty() && input[0] % 2 == 0;
    const QByteArray journal = made ? crafted(input, original, image) : input;
    put(path, image);
    put(journalPath, journal);

    QByteArray copy = image;
    const auto read = rollback::recoverCopy(path, copy).state;
    RomImage rom;
    require(rom.open(path).ok());
    const auto found = rollback::recover(rom).state;
    rom.close();
    QFile file(path), left(journalPath);
    require(file.open(QIODevice::ReadOnly) && file.readAll() == copy);
    using State = rollback::Recovery::State;
    require(found == read || (found == State::TornRemoved && read == State::None));
    if (found == State::TakenBack || found == State::TornRemoved)
        require(!left.exists() && (found == State::TornRemoved || !made || copy == original));
    else
        require(copy == image && left.open(QIODevice::ReadOnly) && left.readAll() == journal);
    QFile::remove(journalPath);
    return 0;
}
