#include "IsolatedGuiApp.h"

#include <QFile>
#include <QQuickStyle>

IsolatedGuiApp::IsolatedGuiApp(int &argc, char **argv)
{
    // Set before the application exists: both are read when it starts.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    m_app = std::make_unique<QGuiApplication>(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));
    QQuickStyle::setStyle(QStringLiteral("Basic"));
}
