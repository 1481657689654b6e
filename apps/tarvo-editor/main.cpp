#include "resources/TarvoResources.h"

#include <QApplication>
#include <QMainWindow>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--version") == 0)
        {
            std::printf("tarvo-editor %s\n", TARVO_VERSION);
            return 0;
        }
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QString::fromStdString(AfxLoadString(10234)));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
