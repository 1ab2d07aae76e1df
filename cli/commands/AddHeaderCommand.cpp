// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands/AddHeaderCommand.h"

#include "cli/CommandSupport.h"
#include "core/header/CopierHeader.h"
#include "core/image/HeaderlessImage.h"
#include "core/image/ImageCopy.h"

#include <QDir>

#include <algorithm>

namespace zorvek::cli {

namespace {

// Copies a headerless image of this game to out with a copier header of the
// given type in front of it.
int addHeaderCommand(const QString& image, const QString& out, CopierType type, bool force, Console& console)
{
    const imagecopy::FileBytes source = imagecopy::readWhole(image);
    if (!source.result.ok()) {
        say(console, source.result.error);
        return kImageRefused;
    }
    const auto kind = headerless::classify(source.bytes);
    if (kind != headerless::Kind::ThisGame) {
        say(console,
            headerless::refusalText(kind, QDir::toNativeSeparators(image), source.bytes.size())
                + QStringLiteral(" Nothing was written."));
        return kImageRefused;
    }
    const int code =
        copyWritten(imagecopy::writeCopy(out, imagecopy::headerFor(type) + source.bytes, image, force), console);
    if (code == kSuccess)
        say(console,
            QStringLiteral("Wrote %1 with a %2 header.")
                .arg(QDir::toNativeSeparators(out), QLatin1String(copier::typeNames()[static_cast<int>(type)])));
    return code;
}

} // namespace

AddHeaderCommand::AddHeaderCommand()
    : Command("add-header", {QStringLiteral("IMAGE"), QStringLiteral("OUT")},
              {QStringLiteral("type"), QStringLiteral("force")},
              "  add-header IMAGE OUT [--type smc|swc|fig] [--force]\n"
              "                          Writes a copy of a headerless image (.sfc) with a\n"
              "                          copier header in front (Super MagiCom unless\n"
              "                          --type says otherwise), as the editor opens it.\n")
{ }

int AddHeaderCommand::run(const Invocation& call) const
{
    const QString name = call.isSet("type") ? call.value("type").toLower() : QStringLiteral("smc");
    const std::pair<const char*, CopierType> types[] = {{"smc", CopierType::SuperMagicom},
                                                        {"swc", CopierType::SuperWildCard},
                                                        {"fig", CopierType::ProFighter}};
    const auto chosen =
        std::find_if(std::begin(types), std::end(types), [&](const auto& t) { return name == QLatin1String(t.first); });
    if (chosen == std::end(types))
        return usageError(call.console, QStringLiteral("--type takes smc, swc or fig."));
    return addHeaderCommand(call.operands[0], call.operands[1], chosen->second, call.isSet("force"), call.console);
}

} // namespace zorvek::cli
