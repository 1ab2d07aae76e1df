// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"
#include "fixtures/RomFixture.h"

#include <QBuffer>

#include <memory>
#include <vector>

namespace zorvek::test {

// Image bytes held in memory behind a RomImage: tests see every byte without
// a file, learn where each write landed, and can make writes fail after a
// number of them, as on a full disk or a read-only medium, and reads too, as
// on a failing medium.
class MemoryDevice final : public QBuffer {
public:
    explicit MemoryDevice(const QByteArray& bytes, int failAfterWrites = -1,
                          QString failure = QStringLiteral("Disk full"))
        : m_left(failAfterWrites), m_failure(std::move(failure))
    {
        setData(bytes);
    }

    // Offsets of the writes that went through, in order.
    std::vector<qint64> writeOffsets;
    // Only the first failing write fails, as after a passing fault.
    bool failOnce = false;
    void failAfter(int writes, bool once)
    {
        m_left = writes;
        failOnce = once;
    }
    // Reads to pass before one fails (-1: none fails); then they fail from
    // there on, or only once.
    int readsLeft = -1;
    bool readFailsOnce = false;
    QString readError = QStringLiteral("Input/output error");

protected:
    qint64 readData(char* data, qint64 len) override
    {
        if (readsLeft == 0) {
            setErrorString(readError);
            if (readFailsOnce)
                readsLeft = -1;
            return -1;
        }
        if (readsLeft > 0)
            --readsLeft;
        return QBuffer::readData(data, len);
    }

    qint64 writeData(const char* data, qint64 len) override
    {
        if (m_left == 0) {
            setErrorString(m_failure);
            if (failOnce)
                m_left = -1;
            return -1;
        }
        if (m_left > 0)
            --m_left;
        writeOffsets.push_back(pos());
        return QBuffer::writeData(data, len);
    }

private:
    int m_left;
    QString m_failure;
};

// Puts the bytes behind rom in place of its file; rom owns the device.
inline MemoryDevice* attachMemory(RomImage& rom, const QByteArray& bytes, int failAfterWrites = -1,
                                  const QString& failure = QStringLiteral("Disk full"),
                                  const QString& path = QStringLiteral("memory.smc"))
{
    auto device = std::make_unique<MemoryDevice>(bytes, failAfterWrites, failure);
    // Unbuffered, as the image's file is: every read reaches the device.
    device->open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    MemoryDevice* raw = device.get();
    rom.attach(std::move(device), path);
    return raw;
}

// A RomImage of its own over bytes in memory.
struct MemoryImage {
    explicit MemoryImage(const QByteArray& bytes, int failAfterWrites = -1)
        : device(attachMemory(rom, bytes, failAfterWrites))
    { }
    explicit MemoryImage(const RomFixture& fixture, int failAfterWrites = -1)
        : MemoryImage(fixture.bytes(), failAfterWrites)
    { }
    QByteArray bytes() const { return device->data(); }

    RomImage rom;
    MemoryDevice* device;
};

} // namespace zorvek::test
