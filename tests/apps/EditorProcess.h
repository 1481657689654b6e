#pragma once

// Runs the built editor as a separate process, without a display, for the
// command-line tests.

#include <QProcess>
#include <QStringList>
#include <string>

struct RUN
{
    int nExitCode = -1;
    std::string strOut;
    std::string strErr;
};

inline RUN Editor(const QStringList& args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    process.setProcessEnvironment(env);
    process.start(QString(TARVO_BINARY_DIR) + "/bin/tarvo-editor", args);
    RUN run;
    if (!process.waitForFinished(60000))
        return run;
    run.nExitCode = process.exitCode();
    run.strOut = process.readAllStandardOutput().toStdString();
    run.strErr = process.readAllStandardError().toStdString();
    return run;
}

inline const QString kExample = QString(TARVO_SOURCE_DIR) + "/examples/nursery_order";
