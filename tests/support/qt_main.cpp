#include <QApplication>

#include <gtest/gtest.h>

// Widget tests need one application object for the whole run. They run without
// a display unless a platform is asked for (test discovery runs them too).
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
