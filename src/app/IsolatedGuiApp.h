#pragma once

#include <QGuiApplication>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A GUI application that renders the real window without touching the
// user's files: a settings folder of its own for as long as it lives (so the
// first-run screens show), offscreen unless a platform was chosen, and the
// program's names and style. Used by the screenshots mode and the sidebar
// benchmark.
class IsolatedGuiApp {
public:
    IsolatedGuiApp(int &argc, char **argv);

    // A path inside the temporary home folder, for data of its own.
    QString homePath(const QString &name) const { return m_home.filePath(name); }

private:
    QTemporaryDir m_home;
    std::unique_ptr<QGuiApplication> m_app;
};
