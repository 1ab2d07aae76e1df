// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over the table reader and the import checks: any text
// is either refused at a line and column inside it, or accepted as a plan
// that, once written, the same text finds nothing more to change in, and
// whose coalesced write ends byte for byte as the field-by-field one.

#include "FuzzCheck.h"
#include "data/CharacterTable.h"
#include "core/image/ImageWrite.h"
#include "cli/ImportPlan.h"
#include "core/table/MonsterTable.h"
#include "DemoRom.h"

#include <QBuffer>

#include <algorithm>
#include <cstdint>

using namespace zorvek;

namespace {

void attach(RomImage& rom, const QByteArray& bytes)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadWrite);
    rom.attach(std::move(buffer), QStringLiteral("fuzz"));
}

const QByteArray& demoBytes()
{
    static const QByteArray bytes = demo::demoImage().bytes();
    return bytes;
}

std::optional<table::TableError> plan(bool monsters, const QByteArray& text, RomImage& rom, cli::ImportPlan& out)
{
    const cli::TableFile file{QStringLiteral("fuzz"), text};
    return monsters ? cli::planMonsters(file, rom, out) : cli::planCharacters(file, rom, out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > (1u << 16))
        return 0;
    // The first byte picks the table; the rest is its text.
    const bool monsters = data[0] & 1;
    const QByteArray text(reinterpret_cast<const char*>(data + 1), static_cast<int>(size - 1));
    RomImage rom;
    attach(rom, demoBytes());

    cli::ImportPlan first;
    const auto error = plan(monsters, text, rom, first);
    require(rom.writeCount() == 0);
    if (error) {
        const int lines = static_cast<int>(text.count('\n')) + 2;
        const auto& table = monsters ? table::monstertable::definition() : table::charactertable::definition();
        require(error->line >= 1 && error->line <= lines);
        // A line may run past the table's columns, and an error there names its own column.
        const qsizetype columns = std::max(table.columns.size() + 1, text.count('\t') + 2);
        require(error->column >= 1 && error->column <= columns);
        require(first.isEmpty());
        return 0;
    }
    if (first.isEmpty())
        return 0;
    const QDateTime now(QDate(2024, 1, 1), QTime(0, 0));
    require(cli::writeImport(rom, first, now).ok());
    require(rom.size() == demoBytes().size());
    RomImage coalesced;
    attach(coalesced, demoBytes());
    ImageWriteSession session(coalesced, [now] { return now; });
    require(cli::commitImport(session, demoBytes(), first, now).ok());
    const int length = static_cast<int>(rom.size());
    require(coalesced.readBytes(0, length) == rom.readBytes(0, length));
    cli::ImportPlan again;
    require(!plan(monsters, text, rom, again));
    require(again.isEmpty());
    return 0;
}
