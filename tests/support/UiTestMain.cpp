#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "UiSeams.h"

// UI tests run without a display and never touch the user's own settings.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName("TarvoTests");
    QApplication::setApplicationName("tarvo-tests");
    ::testing::InitGoogleTest(&argc, argv);
    InstallStrictUiSeams();
    return RUN_ALL_TESTS();
}
