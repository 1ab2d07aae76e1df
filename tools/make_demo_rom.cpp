// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a demo ROM image with invented but plausible monster and character
// records, so the editor can be tried without a game image.

#include "DemoRom.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("demo.smc");

    if (!zorvek::demo::demoImage().writeTo(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("Demo ROM image written to %s\n",
                qPrintable(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    return 0;
}
