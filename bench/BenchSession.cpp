#include "BenchSession.h"

#include "DemoRom.h"

namespace zorvek::bench {

bool writeDemoImage(const QString& path) { return demo::demoImage().writeTo(path); }

BenchSession::BenchSession()
{
    m_effects.folder = m_dir.path();
    m_effects.imagePath = m_dir.filePath(QStringLiteral("demo.smc"));
    writeDemoImage(m_effects.imagePath);
    m_form1 = std::make_unique<ui::MainWindow>(m_effects);
    m_form1->show();
    m_form1->LoadROM();
}

} // namespace zorvek::bench
