#pragma once

#include "main/RomImage.h"

#include <QBuffer>

#include <memory>

namespace zorvek::test {

// An image held in memory, so record tests see every byte without a file.
// After failAfterWrites writes, every further write fails.
class BufferImage {
public:
    explicit BufferImage(const QByteArray& bytes, int failAfterWrites = -1)
    {
        auto device = std::make_unique<Device>(failAfterWrites);
        device->setData(bytes);
        device->open(QIODevice::ReadWrite);
        m_device = device.get();
        rom.attach(std::move(device), QStringLiteral("memory.smc"));
    }

    QByteArray bytes() const { return m_device->data(); }

    RomImage rom;

    class Device final : public QBuffer {
    public:
        explicit Device(int failAfter) : m_left(failAfter) {}

    protected:
        qint64 writeData(const char* data, qint64 len) override
        {
            if (m_left == 0) {
                setErrorString(QStringLiteral("Disk full"));
                return -1;
            }
            if (m_left > 0)
                --m_left;
            return QBuffer::writeData(data, len);
        }

    private:
        int m_left;
    };

private:
    Device* m_device = nullptr;
};

} // namespace zorvek::test
