// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for a headless command: a plain Qt Core program that reads the
// whole image and sums its bytes, measured from outside by scripts/measure.sh.
//   sum-probe IMAGE

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 1;
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray bytes = file.readAll();
    unsigned sum = 0;
    for (char c : bytes)
        sum += static_cast<unsigned char>(c);
    std::printf("%lld bytes, sum 0x%04X\n", static_cast<long long>(bytes.size()), sum & 0xFFFFu);
    return 0;
}
