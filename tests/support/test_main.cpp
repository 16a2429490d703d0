#include "platform/paths.h"
#include "platform/window_registry.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>

// Every test executable runs with a real application object (offscreen), the program's
// fixed number formats and no message box that could block.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    qputenv("TARVELIN_SCRIPTED_BOXES", "1"); // a forgotten prompter must not block the run
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    const int result = RUN_ALL_TESTS();
    // The windows the tests made go as the program's go at exit, while the application
    // object lives: a leak check then sees only what is really lost. What they store on
    // going (their geometry) goes to a folder of its own, not beside the test executable
    // where a later run would read it.
    QTemporaryDir folder;
    platform::SetProgramFolder(folder.path());
    platform::DestroyAllWindows();
    return result;
}
