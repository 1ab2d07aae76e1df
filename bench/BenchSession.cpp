// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchSession.h"

#include "DemoRom.h"

#include <QDir>
#include <QFile>

namespace zorvek::bench {

bool writeDemoImage(const QString& path) { return demo::demoImage().writeTo(path); }

BenchSession::BenchSession(const QString& parent)
    : m_dir(parent.isEmpty() ? QDir::tempPath() + QStringLiteral("/zorvek-bench-XXXXXX")
                             : parent + QStringLiteral("/zorvek-bench-XXXXXX"))
{
    m_effects.folder = m_dir.path();
    m_effects.imagePath = m_dir.filePath(QStringLiteral("demo.smc"));
    writeDemoImage(m_effects.imagePath);
    m_form1 = std::make_unique<ui::MainWindow>(m_effects);
    m_form1->show();
    m_form1->LoadROM();
}

void BenchSession::writeWithoutJournal()
{
    auto file = std::make_unique<QFile>(m_effects.imagePath);
    file->open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    m_form1->session().rom().attach(std::move(file), m_effects.imagePath);
}

} // namespace zorvek::bench
