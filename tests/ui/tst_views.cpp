// Qt Quick Tests of the views, offscreen, against small fixtures.
#include "TestSupport.h"
#include "ViewFixtures.h"

#include <QQmlEngine>
#include <QQuickStyle>
#include <QtQml/QQmlExtensionPlugin>
#include <QtQuickTest>

Q_IMPORT_QML_PLUGIN(TarnwickPlugin)

class Setup : public QObject {
    Q_OBJECT

public Q_SLOTS:
    void applicationAvailable()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Tarnwick"));
        QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));
        QQuickStyle::setStyle(QStringLiteral("Basic"));
    }
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        engine->addImportPath(QStringLiteral("qrc:/"));
        qmlRegisterType<FixtureStore>("TarnwickTest", 1, 0, "FixtureStore");
        qmlRegisterType<FixtureTables>("TarnwickTest", 1, 0, "FixtureTables");
        qmlRegisterSingletonInstance("TarnwickTest", 1, 0, "Recorder", &m_recorder);
    }

private:
    ViewRecorder m_recorder;
};

int main(int argc, char **argv)
{
    TestSupport::isolateEnvironment();
    QTEST_SET_MAIN_SOURCE_PATH
    Setup setup;
    return quick_test_main_with_setup(argc, argv, "tst_views", TARNWICK_VIEW_TESTS_DIR, &setup);
}

#include "tst_views.moc"
