#include <QApplication>
#include <QLocale>
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
    return RUN_ALL_TESTS();
}
